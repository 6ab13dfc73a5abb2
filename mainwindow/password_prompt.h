#pragma once
// The password prompt that the two locked windows share: a banner, a text box and Accept.
#include "runtime/forms.h"

namespace pellmaris {

class PasswordPrompt : public rt::Form {
public:
    rt::TextBox Text1{*this, "Text1"};
    rt::CommandButton Command1{*this, "Command1"};   // "Accept"

    void Command1_Click();

protected:
    PasswordPrompt(rt::System& sys, const char* name);
    void design() override;
    void Form_Load() override;
    // What the right password opens.
    virtual void open_guarded_window() = 0;
};

} // namespace pellmaris
