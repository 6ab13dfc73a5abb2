// Times one full clean through the program's own windows and engine.
// Usage: full_clean_driver <program folder>
// The program folder holds the shipped files, an orvane.dat naming the profile that holds
// the tree, and a pmdb.lst choosing the areas. Prints the seconds and the files removed.
#include <cstdio>
#include "bench/bench_program.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    rt::start_ui();
    int files = -1;
    double seconds = 0;
    {
        auto app = bench::load_program(argv[1]);
        bench::show_window(*app, app->Form1);
        seconds = bench::seconds_of([&] { app->Form1.Picture2_Click(); });
        files = app->Form1.files_deleted;
    }
    rt::stop_ui();
    std::printf("%.3f %d\n", seconds, files);
    return 0;
}
