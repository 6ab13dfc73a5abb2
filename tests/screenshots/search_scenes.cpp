// The file search window's two screens, as "Find 0.0KB Files" opens it and while a search
// waits for its batch (which the recording fakes do not run: the scene writes the listing).
#include <fstream>
#include "tests/screenshots/scene.h"

namespace {

void saved_extensions(const std::string& program_folder)
{
    std::ofstream(program_folder + "\\PMsearch.lst", std::ios::binary) << ".tmp\r\n.log\r\n.bak\r\n~*.*\r\n";
}

// The selection screen with two extensions and the scratch drive picked.
pellmaris::FormSearch& selection(screenshots::SceneContext& scene)
{
    scene.app.Form3.Label6_Click();   // "Find 0.0KB Files"
    pellmaris::FormSearch& search = scene.app.FormSearch;
    for (long row : {0L, 1L})
        search.List1.Selected(row, true);
    for (long i = 0; i < search.List2.ListCount(); ++i)
        search.List2.Selected(i, search.List2.List(i) == "S:\\");
    scene.pump_for(200);
    return search;
}

const screenshots::SceneRegistration selection_screen(
    "search_selection", [](screenshots::SceneContext& scene) { return std::vector<HWND>{selection(scene).hWnd()}; },
    saved_extensions);

// START SEARCH pressed: the search screen, its progress strip a third of the way.
std::vector<HWND> searching(screenshots::SceneContext& scene)
{
    pellmaris::FormSearch& search = selection(scene);
    search.Command7_Click();
    std::ofstream(scene.program_folder + "\\PMsearch.txt", std::ios::binary) << "S:\\Downloads\r\n";
    search.progress_fill = std::string(60, ' ');
    scene.pump_for(400);
    search.Timer1.Enabled(false);   // the strip stays where the picture shows it
    return {search.hWnd()};
}

const screenshots::SceneRegistration search_screen("search_searching", searching, saved_extensions);

} // namespace
