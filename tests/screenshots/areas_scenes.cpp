// The area-selection window (ADVANCED) in both themes, with the user's own locations row,
// and the own-locations editor on a folder of the scratch drive S:.
#include <fstream>
#include "tests/screenshots/scene.h"

namespace {

void own_locations(const std::string& program_folder)
{
    CreateDirectoryA("S:\\Downloads", nullptr);
    CreateDirectoryA("S:\\Downloads\\old installers", nullptr);
    CreateDirectoryA("S:\\Downloads\\videos", nullptr);
    for (const char* name : {"setup-2019.log", "thumbs.db", "readme.txt"})
        std::ofstream(std::string("S:\\Downloads\\") + name, std::ios::binary) << "x";
    std::ofstream(program_folder + "\\PMuser.lst", std::ios::binary)
        << "D S:\\Downloads\\old installers\\\r\nF S:\\Downloads\\setup-2019.log\r\n";
    std::ofstream(program_folder + "\\pmdb.lst", std::ios::binary)
        << "[LIST1]\r\n 1  1  1  1  1  0  0  0  0  1  1  1  1 \r\n[LIST2]\r\n 1  0  0  0 ";
}

// ADVANCED on the main window.
std::vector<HWND> advanced(screenshots::SceneContext& scene, bool classic)
{
    if (classic)
        scene.set_setting(13, "1");
    pellmaris::Form1& main = scene.app.Form1;
    main.hWnd();
    main.Picture10_Click();
    pellmaris::Form3& area = scene.app.Form3;
    area.List1.ListIndex(9);
    return {area.hWnd()};
}

const screenshots::SceneRegistration area_default(
    "area_selection_default", [](screenshots::SceneContext& scene) { return advanced(scene, false); },
    own_locations);
const screenshots::SceneRegistration area_classic(
    "area_selection_classic", [](screenshots::SceneContext& scene) { return advanced(scene, true); },
    own_locations);

// The editor as "Build / Add  / Amend a Custom List" opens it, on S:\Downloads with a
// file chosen, "Clean File Only" picked and one row selected.
std::vector<HWND> editor(screenshots::SceneContext& scene)
{
    scene.app.Form1.hWnd();
    scene.app.Form1.Picture10_Click();
    scene.app.Form3.Label1_Click();
    pellmaris::Form6& editor = scene.app.Form6;
    editor.Drive1.Drive("S");
    editor.Dir1.Path("S:\\Downloads");
    editor.File1.FileName("thumbs.db");
    editor.Option2.Value(true);
    editor.List1.Selected(1, true);
    return {editor.hWnd()};
}

const screenshots::SceneRegistration own_locations_editor("own_locations_editor", editor, own_locations);

} // namespace
