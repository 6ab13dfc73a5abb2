// The main window in its four layouts (default and classic theme, each wide and narrow),
// as the start-up hands it over: system information, a last full clean, the version.
#include <fstream>
#include "common/settings_file.h"
#include "support/user_clicks.h"
#include "tests/screenshots/scene.h"

namespace {

constexpr const char* kSystemInformation =
    "Host Name:                 DESKTOP\r\n"
    "OS Name:                   Microsoft Windows 10 Pro\r\n"
    "OS Version:                10.0.19045 N/A Build 19045\r\n"
    "Total Physical Memory:     16,384 MB\r\n";

void used_program_folder(const std::string& program_folder, bool classic, bool narrow)
{
    std::ofstream(program_folder + "\\Pellmaris.txt", std::ios::binary) << kSystemInformation;
    std::ofstream(program_folder + "\\date.lst", std::ios::binary)
        << "09/12/2026\r\n14:05:30\r\n1284\r\n37.2   MBytes\r\n";
    pellmaris::Settings settings = pellmaris::read_settings(program_folder + "\\settings.ini");
    settings.lines[pellmaris::kClassicTheme - 1] = classic ? "1" : "0";
    settings.lines[pellmaris::kHideWelcome - 1] = narrow ? "1" : "0";
    pellmaris::write_settings(program_folder + "\\settings.ini", settings);
}

// The splash's second tick: the system captions, then the main window.
std::vector<HWND> handed_over_main_window(screenshots::SceneContext& scene)
{
    scene.app.frmSplash.Timer2_Timer();
    scene.pump_for(500);
    // The pointer of the private display starts over a button: put its hover picture away.
    scene.app.Form1.Picture13_MouseMove(0, 0, 0, 0);
    return {scene.app.Form1.hWnd()};
}

// The keyboard's focus on the TEMP button, three Tabs on from FULL CLEAN.
std::vector<HWND> focus_on_temp(screenshots::SceneContext& scene)
{
    std::vector<HWND> shown = handed_over_main_window(scene);
    testsupport::press_keys(scene.app.Form1, VK_TAB, 3);
    scene.pump_for(200);
    return shown;
}

const screenshots::SceneRegistration main_default(
    "main_window_default", handed_over_main_window, [](const std::string& f) { used_program_folder(f, false, false); });
const screenshots::SceneRegistration main_classic(
    "main_window_classic", handed_over_main_window, [](const std::string& f) { used_program_folder(f, true, false); });
const screenshots::SceneRegistration main_narrow(
    "main_window_narrow", handed_over_main_window, [](const std::string& f) { used_program_folder(f, false, true); });
const screenshots::SceneRegistration main_keyboard(
    "main_window_keyboard", focus_on_temp, [](const std::string& f) { used_program_folder(f, false, false); });
const screenshots::SceneRegistration main_narrow_classic("main_window_narrow_classic", handed_over_main_window,
                                                         [](const std::string& f) { used_program_folder(f, true, true); });

} // namespace
