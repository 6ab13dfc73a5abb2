#include "engine/Form5.h"
#include "app/Program.h"

namespace pellmaris {

Form5::Form5(Program& app) : rt::Form(app.sys, "Form5") {}

void Form5::design()
{
    Caption("Form5");
    ScaleSize(6000, 4500);
    List1.Move(120, 120, 5760, 4260);
}

} // namespace pellmaris
