// Registrations per second, as the benches make them (open the journal,
// lock, look the code up, append, give the lock back), under each kind of
// lock the journal can have:
//
//   record lock + lock file   a folder with record locks (local, NFS 4, SMB):
//                             both, as every writer takes them
//   lock file alone           a folder that refuses record locks (the program
//                             runs itself again with the refusal preloaded)
//   record lock alone         where no lock file can be made (its lock folder
//                             is taken by a plain file)
//
// for one bench and for several benches at once (processes forked here).
//
//   perf-journal-register [STUDENTS] [BENCHES]    default 2000 4
#include "journal/Journal.h"
#include "journal/JournalLockFile.h"
#include "journal/Registration.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Registers the codes first, first + step, ... below `end` in one process.
void registerCodes(const QString& path, int first, int end, int step)
{
    Journal journal(path);
    for (int code = first; code < end; code += step)
        Registration(QStringLiteral("Студент %1").arg(code), QString::number(code), journal).run();
    journal.close();
}

// Registrations per second of `students` new students into a fresh
// journal, made by `benches` processes at once.
double perSecond(const QString& path, int students, int benches, bool noLockFolder)
{
    QFile::remove(path);
    QFile::remove(JournalLockFile::folderFor(path));
    if (noLockFolder) {
        QFile blocker(JournalLockFile::folderFor(path));
        blocker.open(QIODevice::WriteOnly);
    }
    QElapsedTimer timer;
    timer.start();
    if (benches == 1) {
        registerCodes(path, 0, students, 1);
    } else {
        for (int b = 0; b < benches; ++b) {
            if (::fork() == 0) {
                try {
                    registerCodes(path, b, students, benches);
                } catch (const std::exception& e) {
                    std::fprintf(stderr, "%s\n", e.what());
                    ::_exit(1);
                }
                ::_exit(0);
            }
        }
        int status = 0;
        while (::wait(&status) > 0)
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                qFatal("a bench failed");
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (QFile(path).size() != qint64(students) * 73)
        qFatal("%s: %lld bytes, not %d records", qPrintable(path), QFile(path).size(), students);
    return students / seconds;
}

void row(const char* kind, const QString& dir, int students, int benches, bool noLockFolder)
{
    const QString path = dir + QStringLiteral("/Students.DAT");
    std::printf("| %s | %.0f | %.0f |\n", kind, perSecond(path, students, 1, noLockFolder),
                perSecond(path, students, benches, noLockFolder));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int students = args.size() > 1 ? args[1].toInt() : 2000;
    const int benches = args.size() > 2 ? args[2].toInt() : 4;
    QTemporaryDir dir;

    if (qEnvironmentVariableIsSet("OPLAB_REFUSE_LOCKS")) {
        row("lock file alone", dir.path(), students, benches, false);
        return 0;
    }
    std::printf("%d new students into a fresh journal, registrations per second\n\n", students);
    std::printf("| Locks | one bench | %d benches at once |\n|---|--:|--:|\n", benches);
    std::fflush(stdout);
    row("record lock + lock file", dir.path(), students, benches, false);

    QProcess refused;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(REFUSE_LOCKS));
    env.insert(QStringLiteral("OPLAB_REFUSE_LOCKS"), QStringLiteral("ENOLCK"));
    refused.setProcessEnvironment(env);
    refused.setProcessChannelMode(QProcess::ForwardedChannels);
    refused.start(app.applicationFilePath(), args.mid(1));
    refused.waitForFinished(-1);

    row("record lock alone", dir.path(), students, benches, true);
    return 0;
}
