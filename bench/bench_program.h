#pragma once
// What the benchmark drivers share: the program on the real system services with the
// profile of the program folder's dump, its location list from the shipped database, one
// window up as a user would see it, and a timed call.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include "app/Program.h"
#include "engine/environment.h"
#include "engine/location_database.h"
#include "runtime/unicode.h"

namespace bench {

// The program takes its profile and home drive from its own environment: the driver puts
// the values of the program folder's orvane.dat there, as a parent process would.
inline void take_environment_from(const std::string& dump)
{
    for (const std::string& line : pellmaris::read_dump_lines(dump))
        for (const char* name : {"HOMEDRIVE", "USERPROFILE"}) {
            const std::string prefix = std::string(name) + "=";
            if (line.rfind(prefix, 0) == 0)
                SetEnvironmentVariableW(rt::utf16(name).c_str(), rt::utf16(line.substr(prefix.size())).c_str());
        }
}

inline std::unique_ptr<pellmaris::Program> load_program(const std::string& program_folder)
{
    auto system = std::make_unique<rt::System>();
    system->program_folder = program_folder;
    take_environment_from(system->path("orvane.dat"));
    auto app = std::make_unique<pellmaris::Program>(std::move(system));
    for (const std::string& line : pellmaris::decode_location_database(app->sys.path("PMlist.lst")))
        app->Form5.List1.AddItem(line);
    return app;
}

inline void show_window(pellmaris::Program& app, rt::Form& window)
{
    window.Show();
    for (int i = 0; i < 50; ++i) {   // let it come up and paint
        app.sys.DoEvents();
        Sleep(10);
    }
}

inline double seconds_of(const std::function<void()>& call)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    call();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

} // namespace bench
