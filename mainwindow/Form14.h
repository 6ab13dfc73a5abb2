#pragma once
// The password prompt in front of the Windows-tools window.
#include "mainwindow/password_prompt.h"

namespace pellmaris {

class Program;

class Form14 : public PasswordPrompt {
public:
    explicit Form14(Program& app);

protected:
    void open_guarded_window() override;

private:
    Program& app;
};

} // namespace pellmaris
