// Times one drive analysis through the program's own windows and counting.
// Usage: analysis_driver <program folder>
// The program folder holds the shipped files and an orvane.dat naming the profile that
// holds the tree. Prints the seconds and the bytes of the Temp column's row 1.
#include <cstdio>
#include "bench/bench_program.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    rt::start_ui();
    double seconds = 0;
    long long bytes = -1;
    {
        auto app = bench::load_program(argv[1]);
        bench::show_window(*app, app->Form7);
        seconds = bench::seconds_of([&] { app->Form7.Timer1_Timer(); });
        bytes = app->Form7.cells[1][pellmaris::Form7::kTemp];
    }
    rt::stop_ui();
    std::printf("%.3f %lld\n", seconds, bytes);
    return 0;
}
