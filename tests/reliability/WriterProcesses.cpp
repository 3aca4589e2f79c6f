#include "WriterProcesses.h"

#include "journal/JournalBusy.h"

#include <QEventLoop>
#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <vector>

bool WriterProcesses::run(QList<Lane>& lanes, int timeoutMs)
{
    QEventLoop loop;
    int running = 0;
    bool timedOut = false;
    std::vector<std::unique_ptr<QProcess>> processes;
    std::function<void(int, int)> start = [&](int lane, int step) {
        if (timedOut)
            return;
        if (step == lanes[lane].size()) {
            if (--running == 0)
                loop.quit();
            return;
        }
        WriterRun& run = lanes[lane][step];
        auto* p = processes.emplace_back(std::make_unique<QProcess>()).get();
        const long long limit = run.FileSizeLimit;
        p->setChildProcessModifier([limit] {
            if (limit >= 0) {
                // Written past the limit, a file fails with EFBIG rather
                // than the signal that would end the program.
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit small { rlim_t(limit), rlim_t(limit) };
                ::setrlimit(RLIMIT_FSIZE, &small);
            }
        });
        QObject::connect(p, &QProcess::finished, p, [&, p, lane, step](int code, QProcess::ExitStatus status) {
            WriterRun& done = lanes[lane][step];
            done.Out = p->readAllStandardOutput();
            done.Err = p->readAllStandardError();
            if (status == QProcess::NormalExit && !done.Killed)
                done.ExitCode = code;
            if (done.AgainWhenBusy && code == 2 && done.Err.contains(JournalBusy::busyText().toUtf8())) {
                ++done.Busy;
                start(lane, step);
                return;
            }
            start(lane, step + 1);
        });
        QObject::connect(p, &QProcess::errorOccurred, p, [&, p, lane, step](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                lanes[lane][step].Err = p->errorString().toUtf8();
                start(lane, step + 1);
            }
        });
        if (!run.Environment.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const QString& setting : run.Environment)
                env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
            p->setProcessEnvironment(env);
        }
        p->start(run.Program, run.Args);
        if (run.KillAfterMs >= 0)
            QTimer::singleShot(run.KillAfterMs, p, [&, p, lane, step] {
                if (p->state() == QProcess::Running) {
                    lanes[lane][step].Killed = true;
                    ::kill(pid_t(p->processId()), SIGKILL);
                }
            });
    };
    running = int(lanes.size());
    if (running == 0)
        return true;
    for (int lane = 0; lane < lanes.size(); ++lane)
        start(lane, 0);
    QTimer::singleShot(timeoutMs, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    loop.exec();
    if (timedOut)
        for (const auto& p : processes)
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
    return !timedOut;
}

bool WriterProcesses::run(WriterRun& single, int timeoutMs)
{
    QList<Lane> lanes { Lane { single } };
    const bool ended = run(lanes, timeoutMs);
    single = lanes[0][0];
    return ended;
}
