// Times one full clean through the program's own windows and engine.
// Usage: full_clean_driver <program folder>
// The program folder holds the shipped files, an orvane.dat naming the profile that holds
// the tree, and a pmdb.lst choosing the areas. The program takes its profile from its own
// environment, so the driver puts the dump's values there, as a parent process would.
// Prints the seconds and the files removed.
#include <windows.h>
#include <cstdio>
#include <memory>
#include "engine/Program.h"
#include "engine/environment.h"
#include "engine/location_database.h"
#include "runtime/unicode.h"

static void take_environment_from(const std::string& dump)
{
    for (const std::string& line : pellmaris::read_dump_lines(dump))
        for (const char* name : {"HOMEDRIVE", "USERPROFILE"}) {
            const std::string prefix = std::string(name) + "=";
            if (line.rfind(prefix, 0) == 0)
                SetEnvironmentVariableW(rt::utf16(name).c_str(), rt::utf16(line.substr(prefix.size())).c_str());
        }
}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    rt::start_ui();
    auto system = std::make_unique<rt::System>();
    system->program_folder = argv[1];
    take_environment_from(system->path("orvane.dat"));
    int files = -1;
    double seconds = 0;
    {
        pellmaris::Program app(std::move(system));
        for (const std::string& line : pellmaris::decode_location_database(app.sys.path("PMlist.lst")))
            app.Form5.List1.AddItem(line);
        app.Form1.Show();
        for (int i = 0; i < 50; ++i) {   // let the window come up as a user would see it
            app.sys.DoEvents();
            Sleep(10);
        }
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        app.Form1.Picture2_Click();
        QueryPerformanceCounter(&end);
        seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
        files = app.Form1.files_deleted;
    }
    rt::stop_ui();
    std::printf("%.3f %d\n", seconds, files);
    return 0;
}
