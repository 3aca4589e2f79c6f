// Measures start-up of the bench and of the floor program, alternating runs
// in one session: wall time from the start of the process to its first
// painted window, and the peak resident memory of the process.
//
//   perf-startup [RUNS]        (default 15; platform from QT_QPA_PLATFORM)
#include "../Median.h"
#include "ProcessRun.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    if (::chdir(LAB_DIR) != 0) {
        std::perror(LAB_DIR);
        return 2;
    }
    struct Program
    {
        const char* Name;
        const char* Path;
        std::vector<double> Times;
        long Peak = 0;
    };
    Program programs[] = {
        {"oplab", OPLAB_PROGRAM, {}},
        {"floor", FLOOR_PROGRAM, {}},
        {"page floor", PAGE_FLOOR_PROGRAM, {}},
    };
    for (Program& p : programs)
        ProcessRun::run({p.Path}); // warm the file cache for all
    for (int i = 0; i < runs; ++i) {
        for (Program& p : programs) {
            const ProcessRun r = ProcessRun::run({p.Path});
            p.Times.push_back(r.Millis);
            p.Peak = std::max(p.Peak, r.PeakKiB);
        }
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("start-up to first paint, %d runs each, platform %s\n", runs, platform ? platform : "(default)");
    std::printf("%-12s %10s %14s %16s\n", "program", "median ms", "peak RSS KiB", "oplab / this");
    for (const Program& p : programs)
        std::printf("%-12s %10.1f %14ld %8.2f %7.2f\n", p.Name, median(p.Times), p.Peak,
                    median(programs[0].Times) / median(p.Times), double(programs[0].Peak) / double(p.Peak));
    return 0;
}
