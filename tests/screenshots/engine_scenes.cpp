// The report windows as a real clean leaves them: a user folder on the scratch drive S:
// emptied by FULL CLEAN with only the user-locations area selected.
#include <fstream>
#include "tests/screenshots/scene.h"

namespace {

void junk_folder(const std::string& program_folder)
{
    CreateDirectoryA("S:\\Downloads", nullptr);
    CreateDirectoryA("S:\\Downloads\\old installers", nullptr);
    for (const char* name : {"setup-2019.log", "thumbs.db", "old installers\\driver-pack.tmp",
                             "old installers\\~install.tmp"})
        std::ofstream(std::string("S:\\Downloads\\") + name, std::ios::binary) << std::string(700, 'x');
    std::ofstream(program_folder + "\\PMuser.lst", std::ios::binary) << "D S:\\Downloads\\\r\n";
    std::ofstream(program_folder + "\\pmdb.lst", std::ios::binary)
        << "[LIST1]\r\n 0  0  0  0  0  0  0  0  0  0  0  0  1 \r\n[LIST2]\r\n 0  0  0  0 \r\n";
}

std::vector<HWND> full_clean_report(screenshots::SceneContext& scene)
{
    pellmaris::Form1& main = scene.app.Form1;
    main.hWnd();   // loads the main window, as the start-up does
    main.Picture2_Click();
    return {scene.app.Form2.hWnd()};
}

const screenshots::SceneRegistration report_window("report_window", full_clean_report, junk_folder);

} // namespace

SCREENSHOT_SCENE(scheduled_result_window)
{
    scene.put("date.lst", "09/12/26\r\n14:05:30\r\n4\r\n2.73 KB\r\n");
    scene.app.Form9.Show();
    return {scene.app.Form9.hWnd()};
}

// The splash as the start-up shows it, held there: its timers would go on to the main window.
SCREENSHOT_SCENE(splash_window)
{
    scene.app.frmSplash.Show();
    scene.app.frmSplash.Timer1.Enabled(false);
    return {scene.app.frmSplash.hWnd()};
}
