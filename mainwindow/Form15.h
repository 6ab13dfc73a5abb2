#pragma once
// The password prompt in front of the settings window.
#include "mainwindow/password_prompt.h"

namespace pellmaris {

class Program;

class Form15 : public PasswordPrompt {
public:
    explicit Form15(Program& app);

    // Shows the prompt; the right password then opens the settings window in the layout
    // the main window asked for.
    void open(bool classic_layout);

protected:
    void open_guarded_window() override;

private:
    Program& app;
    bool classic_layout_ = false;
};

} // namespace pellmaris
