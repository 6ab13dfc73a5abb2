// The report of a clean whose files have names beyond the ANSI code page: each line shows
// the name the file had.
#include "runtime/filesys.h"
#include "support/scratch.h"
#include "tests/screenshots/scene.h"

namespace {

void named_junk(const std::string& program_folder)
{
    const std::string folder = "S:\\Downloads\\";
    for (const char* name : {"\u65e5\u672c\u8a9e\u306e\u30e1\u30e2.txt", "\u4e0b\u8f7d\u7f13\u5b58.tmp",
                             "\u041e\u0442\u0447\u0451\u0442.log", "caf\u00e9 \U0001F600.tmp", "trail.", "CON"}) {
        testsupport::make_dirs(folder);
        testsupport::write_bytes(folder + name, std::string(900, 'x'));
    }
    testsupport::write_bytes(program_folder + "\\PMuser.lst", "D S:\\Downloads\\\r\n");
    testsupport::write_bytes(program_folder + "\\pmdb.lst",
                             "[LIST1]\r\n 0  0  0  0  0  0  0  0  0  0  0  0  1 \r\n[LIST2]\r\n 0  0  0  0 \r\n");
}

std::vector<HWND> report_of_named_files(screenshots::SceneContext& scene)
{
    scene.app.Form1.hWnd();
    scene.app.Form1.Picture2_Click();
    return {scene.app.Form2.hWnd()};
}

const screenshots::SceneRegistration report_window_names("report_window_names", report_of_named_files, named_junk);

} // namespace
