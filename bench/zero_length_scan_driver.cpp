// Times one walk and scan of the zero-length-file scanner over one folder tree.
// Usage: zero_length_scan_driver <program folder> <root folder with trailing backslash>
// Prints the seconds, the folders walked and the empty files found.
#include <cstdio>
#include <memory>
#include "bench/bench_program.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    rt::start_ui();
    auto system = std::make_unique<rt::System>();
    system->program_folder = argv[1];
    double seconds = 0;
    long folders = 0, found = 0;
    {
        pellmaris::Program app(std::move(system));
        pellmaris::Form12& scanner = app.Form12;
        scanner.Load();
        scanner.Timer1.Enabled(false);   // the benchmark runs the timers' work itself
        scanner.List3.Clear();
        scanner.List3.AddItem(argv[2]);
        scanner.Show();
        scanner.Timer1_Timer();
        scanner.Timer2.Enabled(false);
        bench::show_window(app, scanner);   // the windows up as a user would see them
        seconds = bench::seconds_of([&] { scanner.Timer2_Timer(); });
        folders = scanner.List2.ListCount();
        found = scanner.List1.ListCount();
    }
    rt::stop_ui();
    std::printf("%.3f %ld %ld\n", seconds, folders, found);
    return 0;
}
