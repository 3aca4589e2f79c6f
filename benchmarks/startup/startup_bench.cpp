// Measures start-up of the bench and of the floor program, alternating runs
// in one session: wall time from the start of the process to its first
// painted window, and the peak resident memory of the process.
//
//   startup-bench [RUNS]        (default 15; platform from QT_QPA_PLATFORM)
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
    std::vector<double> benchTime, floorTime;
    long benchPeak = 0, floorPeak = 0;
    runOnce(OPLAB_PROGRAM); // warm the file cache for both
    runOnce(FLOOR_PROGRAM);
    for (int i = 0; i < runs; ++i) {
        const Run b = runOnce(OPLAB_PROGRAM);
        const Run f = runOnce(FLOOR_PROGRAM);
        benchTime.push_back(b.Millis);
        floorTime.push_back(f.Millis);
        benchPeak = std::max(benchPeak, b.PeakKiB);
        floorPeak = std::max(floorPeak, f.PeakKiB);
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("start-up to first paint, %d runs each, platform %s\n", runs, platform ? platform : "(default)");
    std::printf("%-8s %12s %14s\n", "program", "median ms", "peak RSS KiB");
    std::printf("%-8s %12.1f %14ld\n", "oplab", median(benchTime), benchPeak);
    std::printf("%-8s %12.1f %14ld\n", "floor", median(floorTime), floorPeak);
    std::printf("ratio    %12.2f %14.2f\n", median(benchTime) / median(floorTime),
                double(benchPeak) / double(floorPeak));
    return 0;
}
