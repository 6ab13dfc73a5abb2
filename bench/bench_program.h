#pragma once
// What the benchmark drivers share: the program on the real system services, its location
// list from the shipped database, one window up as a user would see it, and a timed call.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include "engine/Program.h"
#include "engine/location_database.h"

namespace bench {

inline std::unique_ptr<pellmaris::Program> load_program(const std::string& program_folder)
{
    auto system = std::make_unique<rt::System>();
    system->program_folder = program_folder;
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
