// The settings window in both layouts, the two password prompts, the Windows-tools window
// and the guide.
#include "common/settings_file.h"
#include "tests/screenshots/scene.h"

using pellmaris::kPasswordProtect;
using pellmaris::kPasswordSettings;

SCREENSHOT_SCENE(settings_default)
{
    scene.set_setting(kPasswordProtect, "1");
    scene.set_setting(kPasswordSettings, "1");
    scene.set_setting(pellmaris::kAutoCleanInterval, " 2 ");
    scene.app.Form1.Label16_Click();   // asks for the password first
    scene.app.Form15.Unload();
    scene.app.Form10.open(false);
    return {scene.app.Form10.hWnd()};
}

SCREENSHOT_SCENE(settings_classic)
{
    scene.set_setting(pellmaris::kClassicTheme, "1");
    scene.app.Form1.Label17_Click();
    scene.app.Form10.Check12.Value(1);
    scene.app.Form10.Label3_Click();   // the password entry opened
    return {scene.app.Form10.hWnd()};
}

SCREENSHOT_SCENE(settings_password_prompt)
{
    scene.app.Form15.Show();
    scene.app.Form15.Text1.Text("secret");
    return {scene.app.Form15.hWnd()};
}

SCREENSHOT_SCENE(tools_password_prompt)
{
    scene.app.Form14.Show();
    scene.app.Form14.Text1.Text("secret");
    return {scene.app.Form14.hWnd()};
}

SCREENSHOT_SCENE(tools_window)
{
    scene.app.Form11.Show();
    return {scene.app.Form11.hWnd()};
}

SCREENSHOT_SCENE(guide_window)
{
    scene.app.info1.Show();
    return {scene.app.info1.hWnd()};
}
