#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// Programs that write the journal, run as separate processes in lanes:
// the runs of a lane one after another, all lanes at once. A run may be
// killed with SIGKILL a given time after it started, as a power cut or a
// crash would stop it, and may run under a file-size limit.
struct WriterRun
{
    QString Program;
    QStringList Args;
    int KillAfterMs = -1;        // no kill when negative
    long long FileSizeLimit = -1; // RLIMIT_FSIZE of the child, none when negative
    QStringList Environment;     // "NAME=value" added to the test's own
    // Run again, as a student presses again, while the journal was busy.
    bool AgainWhenBusy = false;

    // What the run left.
    QByteArray Out;
    QByteArray Err;
    bool Killed = false;  // stopped by the kill while it ran
    int ExitCode = -1;    // when it ended by itself
    int Busy = 0;         // times it was told that the journal was busy
    bool Ended() const { return !Killed && ExitCode >= 0; }
};

class WriterProcesses
{
public:
    using Lane = QList<WriterRun>;

    // Runs the lanes until all have ended; false when the time ran out
    // first (the processes still running are killed).
    static bool run(QList<Lane>& lanes, int timeoutMs);
    static bool run(WriterRun& single, int timeoutMs);
};
