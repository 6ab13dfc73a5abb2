#include "mainwindow/Form15.h"
#include "app/Program.h"

namespace pellmaris {

Form15::Form15(Program& program) : PasswordPrompt(program.sys, "Form15"), app(program) {}

void Form15::open(bool classic_layout)
{
    classic_layout_ = classic_layout;
    Show();
}

void Form15::open_guarded_window() { app.Form10.open(classic_layout_); }

} // namespace pellmaris
