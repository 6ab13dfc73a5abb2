#include "mainwindow/password_prompt.h"
#include "common/password_file.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "mainwindow/window_look.h"
#include "runtime/errors.h"

namespace pellmaris {

PasswordPrompt::PasswordPrompt(rt::System& sys, const char* name) : rt::Form(sys, name)
{
    Command1.on_click = [this] { Command1_Click(); };
}

void PasswordPrompt::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedSingle);
    look::window(*this, "BACK_PASSWORD");
    ScaleSize(4980, 1815);
    Text1.Move(240, 1320, 2535, 285);
    // Masked unless the user chose to see passwords (settings line 20).
    Text1.PasswordChar('*');
    Command1.Move(2880, 1320, 1095, 315);
    Command1.Caption("Accept");
    Command1.Default(true);
    CloseOnEscape(true);   // as the close box: opens nothing
}

void PasswordPrompt::Form_Load()
{
    if (read_settings(sys().path(kSettingsFile)).is(kShowPassword, 1))
        Text1.PasswordChar(0);
}

void PasswordPrompt::Command1_Click()
{
    bool right = false;
    try {
        right = password_matches(Text1.Text(), read_password_line(sys().path(kPasswordFile)));
    } catch (const rt::RuntimeError& e) {
        // A password file that is there but cannot be read keeps the window locked.
        MsgBox("The password file cannot be read (" + e.description() + ").", rt::vbExclamation, rt::AppTitle);
        return;
    }
    if (!right) {
        MsgBox("Wronge Password", rt::vbOKOnly, rt::AppTitle);
        return;
    }
    open_guarded_window();
    Unload();
}

} // namespace pellmaris
