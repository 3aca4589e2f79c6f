#include "instructor/JournalFollower.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

JournalFollower::JournalFollower(QObject* parent)
    : QObject(parent)
{
    Poll.setInterval(2000);
    connect(&Poll, &QTimer::timeout, this, &JournalFollower::readNow);
    connect(&Watcher, &QFileSystemWatcher::fileChanged, this, &JournalFollower::readNow);
    connect(&Watcher, &QFileSystemWatcher::directoryChanged, this, &JournalFollower::readNow);
    connect(&Reading, &QFutureWatcher<JournalSnapshot>::finished, this, &JournalFollower::finished);
}

JournalFollower::~JournalFollower()
{
    // A reading is short: the lock timeout and one pass over the file. (A
    // finished reading's result has been taken; its future is not waited on.)
    if (Reading.isRunning())
        Reading.waitForFinished();
}

void JournalFollower::follow(const QString& path)
{
    Path = path;
    if (!Watcher.files().isEmpty())
        Watcher.removePaths(Watcher.files());
    if (!Watcher.directories().isEmpty())
        Watcher.removePaths(Watcher.directories());
    if (Path.isEmpty()) {
        Poll.stop();
        return;
    }
    watchPaths();
    Poll.start();
    // The first reading is made at once, here, so the window opens on its
    // table rather than on an empty one (and what it allocates on the way
    // is there for the table to use); every later one on the worker.
    Last = JournalSnapshot::read(Path, LockTimeoutMs, Held ? Held() : HeldRecords {});
    emit read();
}

void JournalFollower::setPollInterval(int milliseconds)
{
    Poll.setInterval(milliseconds);
}

void JournalFollower::setWatching(bool on)
{
    Watching = on;
    watchPaths();
}

void JournalFollower::watchPaths()
{
    if (!Watching || Path.isEmpty()) {
        if (!Watcher.files().isEmpty())
            Watcher.removePaths(Watcher.files());
        if (!Watcher.directories().isEmpty())
            Watcher.removePaths(Watcher.directories());
        return;
    }
    // The folder tells when the journal is created or replaced; the file,
    // when it is written. A replaced file is watched anew.
    const QString folder = QFileInfo(Path).absolutePath();
    if (!Watcher.directories().contains(folder) && QFileInfo(folder).isDir())
        Watcher.addPath(folder);
    if (!Watcher.files().contains(Path) && QFileInfo::exists(Path))
        Watcher.addPath(Path);
}

void JournalFollower::readNow()
{
    if (Path.isEmpty())
        return;
    if (Reading.isRunning()) {
        Again = true;
        return;
    }
    Again = false;
    const QString path = Path;
    const int timeout = LockTimeoutMs;
    // The reading lets go of the held records when it ends, before the
    // window applies it.
    Reading.setFuture(QtConcurrent::run([path, timeout, held = Held ? Held() : HeldRecords {}]() mutable {
        return JournalSnapshot::read(path, timeout, std::move(held));
    }));
}

void JournalFollower::finished()
{
    Last = Reading.future().takeResult();
    watchPaths();
    const bool stale = Last.Path != Path;
    if (!stale)
        emit read();
    if (Again || stale)
        readNow();
}
