// Measures start-up of the bench and of the floor program, alternating runs
// in one session: wall time from the start of the process to its first
// painted window, and the peak resident memory of the process.
//
//   perf-startup [RUNS]        (default 15; platform from QT_QPA_PLATFORM)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Run
{
    double Millis = 0;
    long PeakKiB = 0;
};

Run runOnce(const char* program)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program), nullptr};

    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0)
        return {};
    ::close(out[1]);
    char buf[64];
    Run run;
    while (::read(out[0], buf, sizeof buf) > 0) {
        if (run.Millis == 0)
            run.Millis = double(timer.nsecsElapsed()) / 1e6;
    }
    ::close(out[0]);
    int status = 0;
    rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    posix_spawn_file_actions_destroy(&actions);
    run.PeakKiB = usage.ru_maxrss;
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

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
        runOnce(p.Path); // warm the file cache for all
    for (int i = 0; i < runs; ++i) {
        for (Program& p : programs) {
            const Run r = runOnce(p.Path);
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
