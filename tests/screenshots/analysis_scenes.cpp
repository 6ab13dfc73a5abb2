// The drive analysis as a user sees it: a profile and home drive on the scratch drive S:
// with cache, cookie and temporary junk of every kind, a user folder, and the analysis run.
#include <fstream>
#include "engine/location_database.h"
#include "tests/screenshots/scene.h"

namespace {

void junk(const std::string& path, std::size_t size, DWORD attributes = 0)
{
    for (std::size_t cut = path.find('\\', 3); cut != std::string::npos; cut = path.find('\\', cut + 1))
        CreateDirectoryA(path.substr(0, cut).c_str(), nullptr);
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    if (attributes)
        SetFileAttributesA(path.c_str(), attributes);
}

void junk_tree(const std::string& program_folder)
{
    const std::string profile = "S:\\profile\\", home = "S:\\home\\";
    const DWORD ro = FILE_ATTRIBUTE_READONLY, hidden = FILE_ATTRIBUTE_HIDDEN;
    for (int i = 0; i < 40; ++i)
        junk(profile + "AppData\\Local\\NVIDIA\\DXCache\\shader" + std::to_string(i) + ".bin", 23000 + 517 * i);
    junk(profile + "AppData\\Local\\NVIDIA\\DXCache\\index.bin", 4096, ro);
    for (int i = 0; i < 120; ++i)
        junk(profile + "AppData\\Local\\Microsoft\\Windows\\INetCache\\IE\\page" + std::to_string(i) + ".htm", 9000 + 211 * i);
    junk(profile + "AppData\\Local\\Microsoft\\Windows\\INetCache\\container.dat", 32768, hidden);
    junk(profile + "AppData\\Local\\Microsoft\\Windows\\INetCache\\Low\\index.dat", 65536, ro | hidden);
    for (int i = 0; i < 25; ++i)
        junk(profile + "AppData\\Local\\Microsoft\\Windows\\INetCookies\\cookie" + std::to_string(i) + ".txt", 300 + 7 * i);
    for (int i = 0; i < 60; ++i)
        junk(profile + "AppData\\Local\\Temp\\setup" + std::to_string(i) + ".tmp", 150000 + 3001 * i);
    junk(profile + "AppData\\Local\\Temp\\installer.lock", 512, ro);
    junk(profile + "AppData\\Local\\Temp\\~cache.tmp", 81920, hidden);
    junk(home + "Windows\\Temp\\update.log", 420000);
    junk("S:\\Downloads\\old setup.exe", 1800000);
    junk("S:\\Downloads\\archive\\photos.zip", 2400000);
    // The program takes them from its own environment.
    SetEnvironmentVariableW(L"HOMEDRIVE", L"S:\\home");
    SetEnvironmentVariableW(L"USERPROFILE", L"S:\\profile");
    std::ofstream(program_folder + "\\PMuser.lst", std::ios::binary) << "D S:\\Downloads\\\r\n";
    std::ofstream(program_folder + "\\pmdb.lst", std::ios::binary)
        << "[LIST1]\r\n 1  1  1  1  1  0  0  0  0  1  1  0  1 \r\n[LIST2]\r\n 1  0  0  0 \r\n";
}

// The analysis window with its grid filled, as its two timers leave it.
pellmaris::Form7& analysed(screenshots::SceneContext& scene)
{
    for (const std::string& line : pellmaris::decode_location_database(scene.program_folder + "\\PMlist.lst"))
        scene.app.Form5.List1.AddItem(line);
    pellmaris::Form7& analysis = scene.app.Form7;
    analysis.Show();
    scene.pump_for(2500);
    return analysis;
}

std::vector<HWND> analysis_window(screenshots::SceneContext& scene) { return {analysed(scene).hWnd()}; }

std::vector<HWND> analysis_results(screenshots::SceneContext& scene)
{
    analysed(scene).Label20_Click();   // the Temp column
    return {scene.app.Form8.hWnd()};
}

// The same with its first list enlarged.
std::vector<HWND> analysis_results_enlarged(screenshots::SceneContext& scene)
{
    const std::vector<HWND> windows = analysis_results(scene);
    scene.app.Form8.Label13_Click();
    return windows;
}

const screenshots::SceneRegistration analysis_grid("analysis_window", analysis_window, junk_tree);
const screenshots::SceneRegistration analysis_results_scene("analysis_results", analysis_results, junk_tree);
const screenshots::SceneRegistration analysis_results_enlarged_scene("analysis_results_enlarged", analysis_results_enlarged,
                                                                     junk_tree);

} // namespace
