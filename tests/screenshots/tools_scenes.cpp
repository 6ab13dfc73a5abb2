// The system status window and the zero-length-file scanner with its status windows.
// The scanner walks a small tree on the scratch drive S: in place of the machine's drives.
#include <fstream>
#include "runtime/services.h"
#include "tests/screenshots/scene.h"

namespace {

void empty_files_tree(const std::string& /*program_folder*/)
{
    for (const char* folder : {"S:\\Projects", "S:\\Projects\\site", "S:\\Projects\\site\\logs", "S:\\Games",
                               "S:\\Games\\saves", "S:\\Downloads"})
        CreateDirectoryA(folder, nullptr);
    for (const char* name : {"Projects\\site\\.keep", "Projects\\site\\logs\\error.log", "Projects\\notes.txt",
                             "Games\\saves\\slot3.sav", "Games\\saves\\lock", "Downloads\\setup.part"})
        std::ofstream(std::string("S:\\") + name, std::ios::binary);
    std::ofstream("S:\\Projects\\site\\index.html", std::ios::binary) << "<html></html>";
}

// Opens the scanner on S: alone and runs its timers until the scan has ended.
void scan_scratch_drive(screenshots::SceneContext& scene)
{
    pellmaris::Form12& scanner = scene.app.Form12;
    scanner.open_scanner();
    scanner.List3.Clear();
    scanner.List3.AddItem("S:\\");
    scene.app.Form1.Move(600, 600);
    while (scanner.Timer1.Enabled() || scanner.Timer2.Enabled() || scanner.scanning())
        scene.pump_for(50);
}

std::vector<HWND> scanner_results(screenshots::SceneContext& scene)
{
    scan_scratch_drive(scene);
    pellmaris::Form12& scanner = scene.app.Form12;
    scanner.Move(600, 900);
    for (long i = 0; i < scanner.List1.ListCount(); i += 2)
        scanner.List1.Selected(i, true);
    return {scanner.hWnd()};
}

// The moment the scan ends, with the status windows still up: the walk and the scan run
// as the timers would run them, and the windows are left open. The strip, which lies on
// the main window's bottom edge (hidden here), is moved below the other two.
std::vector<HWND> scanner_status(screenshots::SceneContext& scene)
{
    pellmaris::Program& app = scene.app;
    pellmaris::Form12& scanner = app.Form12;
    scanner.Load();
    scanner.Timer1.Enabled(false);
    scanner.List3.Clear();
    scanner.List3.AddItem("S:\\");
    scanner.Move(600, 300);
    scanner.Show();
    scanner.Timer1_Timer();
    app.search.Move(scanner.Left() + 1800, scanner.Top() + scanner.Height() + 150);
    app.labelscreen.Move(scanner.Left(), app.search.Top() + app.search.Height() + 150);
    scanner.Timer2.Enabled(false);
    scanner.deep_scan = 1;
    scanner.walk_root = "S:\\";
    scanner.deep_folders();
    app.search.Label1.Caption("SEARCHING FOR FILES IN FOLDERS PLEASE WAIT    ");
    scanner.scan_zero_length_files();
    scanner.ProgressBar1.Value(scanner.ProgressBar1.Max() * 2 / 3);
    return {scanner.hWnd(), app.search.hWnd(), app.labelscreen.hWnd()};
}

const screenshots::SceneRegistration results("zero_length_scanner_results", scanner_results, empty_files_tree);
const screenshots::SceneRegistration status("zero_length_scanner_status", scanner_status, empty_files_tree);

// The machine's own figures: memory, processes and drive space are only read.
void real_status_sources(screenshots::SceneContext& scene)
{
    scene.app.sys.memory = rt::make_real_memory();
    scene.app.sys.process_list = rt::make_real_process_list();
    scene.app.sys.disk_space = rt::make_real_disk_space();
}

} // namespace

SCREENSHOT_SCENE(system_status)
{
    real_status_sources(scene);
    scene.app.Form13.Show();
    return {scene.app.Form13.hWnd()};
}

SCREENSHOT_SCENE(system_status_scrolled)
{
    real_status_sources(scene);
    pellmaris::Form13& status = scene.app.Form13;
    status.Show();
    status.VScroll1.Value(3855);
    if (status.List1.ListCount() > 1)
        status.List1.ListIndex(1);
    return {status.hWnd()};
}
