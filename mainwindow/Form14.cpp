#include "mainwindow/Form14.h"
#include "app/Program.h"

namespace pellmaris {

Form14::Form14(Program& program) : PasswordPrompt(program.sys, "Form14"), app(program) {}

void Form14::open_guarded_window() { app.Form11.Show(); }

} // namespace pellmaris
