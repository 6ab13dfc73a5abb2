// Shows one screenshot scene and tells the script where its windows are:
//     show_window --list
//     show_window SCENE PROGRAM_FOLDER READY_FILE
// When the windows are painted, READY_FILE receives "left top width height" in screen
// pixels (the union of the scene's windows); the program then waits to be ended.
#include <windows.h>
#include <cstdio>
#include <fstream>
#include <map>
#include "runtime/forms.h"
#include "runtime/textfile.h"
#include "tests/screenshots/scene.h"

namespace screenshots {

namespace {

struct Entry {
    Show show;
    Prepare prepare;
};

std::map<std::string, Entry>& scenes()
{
    static std::map<std::string, Entry> all;
    return all;
}

RECT union_of(const std::vector<HWND>& windows)
{
    RECT all{0, 0, 0, 0};
    bool first = true;
    for (HWND w : windows) {
        RECT r;
        if (!w || !GetWindowRect(w, &r))
            continue;
        if (first)
            all = r;
        else
            UnionRect(&all, &all, &r);
        first = false;
    }
    return all;
}

std::vector<std::string> read_lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void write_lines(const std::string& path, const std::vector<std::string>& lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines)
        out << line << "\r\n";
}

} // namespace

SceneRegistration::SceneRegistration(const char* name, Show show, Prepare prepare)
{
    scenes()[name] = Entry{std::move(show), std::move(prepare)};
}

void SceneContext::set_setting(int n, const std::string& value) const
{
    const std::string path = program_folder + "\\settings.ini";
    std::vector<std::string> lines = read_lines(path);
    if (static_cast<int>(lines.size()) < n)
        lines.resize(n);
    lines[n - 1] = value;
    write_lines(path, lines);
}

void SceneContext::put(const std::string& name, const std::string& bytes) const
{
    std::ofstream(program_folder + "\\" + name, std::ios::binary | std::ios::trunc) << bytes;
}

void SceneContext::pump_for(int milliseconds) const
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        app.sys.DoEvents();
        Sleep(10);
    }
}

} // namespace screenshots

int main(int argc, char** argv)
{
    using namespace screenshots;
    if (argc == 2 && std::string(argv[1]) == "--list") {
        for (const auto& [name, entry] : scenes())
            std::printf("%s\n", name.c_str());
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: show_window --list | SCENE PROGRAM_FOLDER READY_FILE\n");
        return 2;
    }
    auto found = scenes().find(argv[1]);
    if (found == scenes().end()) {
        std::fprintf(stderr, "show_window: no scene %s\n", argv[1]);
        return 2;
    }
    const std::string folder = argv[2];
    if (found->second.prepare)
        found->second.prepare(folder);
    rt::start_ui();
    testsupport::Fakes fakes;
    pellmaris::Program app(testsupport::make_fake_system(folder, fakes));
    SceneContext context{app, fakes, folder};
    const std::vector<HWND> windows = found->second.show(context);
    context.pump_for(1500);   // let every window paint
    const RECT r = union_of(windows);
    {
        std::ofstream ready(argv[3], std::ios::trunc);
        ready << r.left << ' ' << r.top << ' ' << (r.right - r.left) << ' ' << (r.bottom - r.top) << "\n";
    }
    context.pump_for(60000);   // the script ends the program once it has the picture
    rt::stop_ui();
    return 0;
}
