#include "engine/Form2.h"
#include "app/Program.h"
#include "runtime/errors.h"

namespace pellmaris {

Form2::Form2(Program& app) : rt::Form(app.sys, "Form2"), app(app) {}

void Form2::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedSingle);
    ScaleSize(9645, 6480);
    try {
        LoadResourcePicture("BANNER_REPORT");
    } catch (const rt::RuntimeError&) {
        // the banner is decoration; the report shows without it
    }
    List1.Move(0, 960, 9615, 5520);
    List2.Move(120, 6720, 3375, 1035);
}

void Form2::Form_Unload(int& /*cancel*/)
{
    app.Form1.Show();
}

} // namespace pellmaris
