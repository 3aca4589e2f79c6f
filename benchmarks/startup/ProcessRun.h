#pragma once

// One run of a program as a separate process, measured from the moment it
// is spawned: the wall time to its first line of output (the "painted" of
// a program that ends after its first paint) or to its end, and the peak
// resident memory of the process.

#include <QElapsedTimer>

#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

struct ProcessRun
{
    double Millis = 0;
    long PeakKiB = 0;
    int Status = -1;

    enum Until { FirstOutput, Exit };

    static ProcessRun run(const std::vector<std::string>& args, Until until = FirstOutput)
    {
        int out[2];
        if (::pipe(out) != 0)
            return {};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (until == FirstOutput)
            posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        else
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);

        QElapsedTimer timer;
        timer.start();
        pid_t pid = 0;
        ProcessRun run;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            ::close(out[0]);
            ::close(out[1]);
            return run;
        }
        ::close(out[1]);
        char buf[4096];
        while (::read(out[0], buf, sizeof buf) > 0) {
            if (run.Millis == 0)
                run.Millis = double(timer.nsecsElapsed()) / 1e6;
        }
        ::close(out[0]);
        int status = 0;
        rusage usage {};
        ::wait4(pid, &status, 0, &usage);
        if (until == Exit)
            run.Millis = double(timer.nsecsElapsed()) / 1e6;
        posix_spawn_file_actions_destroy(&actions);
        run.PeakKiB = usage.ru_maxrss;
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }
};
