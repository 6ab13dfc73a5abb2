#pragma once
// The guide window shown before a drive analysis: one picture and an Ok button.
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class info1 : public rt::Form {
public:
    explicit info1(Program& app);

    rt::Label Label1{*this, "Label1"};             // "Disable In Settings"
    rt::CommandButton Command1{*this, "Command1"}; // "Ok"

    // Shows the guide when the user wants it (settings line 5 = 1); the area selection's
    // "Analyse Drive(s)" calls this after it opened the analysis.
    void show_if_enabled();

    void Command1_Click();

protected:
    void design() override;
};

} // namespace pellmaris
