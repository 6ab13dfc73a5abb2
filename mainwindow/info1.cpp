#include "mainwindow/info1.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "app/Program.h"
#include "mainwindow/window_look.h"

namespace pellmaris {

info1::info1(Program& app) : rt::Form(app.sys, "info1")
{
    Command1.on_click = [this] { Command1_Click(); };
}

void info1::design()
{
    Caption(std::string(rt::AppTitle) + " - Information");
    BorderStyle(rt::bsFixedSingle);
    look::window(*this, "GUIDE");
    ScaleSize(6690, 4815);
    look::text(Label1, "Disable In Settings");
    Label1.Font("MS Sans Serif", 8);
    Label1.Move(120, 4440, 2295, 255);
    Command1.Caption("Ok");
    Command1.Default(true);
    Command1.Cancel(true);
    Command1.Move(5160, 4440, 1335, 255);
}

void info1::show_if_enabled()
{
    if (read_settings(sys().path(kSettingsFile)).is(kShowGuideWindow, 1))
        Show();
}

void info1::Command1_Click() { Unload(); }

} // namespace pellmaris
