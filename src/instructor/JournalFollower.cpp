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
    connect(&Worker, &QFutureWatcher<JournalSnapshot>::finished, this, &JournalFollower::finished);
    connect(&Keeper, &QFutureWatcher<JournalSnapshot>::finished, this, &JournalFollower::kept);
}

JournalFollower::~JournalFollower()
{
    // A reading is short: the lock timeout and one pass over the file. (A
    // finished reading's result has been taken; its future is not waited on.)
    if (Worker.isRunning())
        Worker.waitForFinished();
    if (Keeper.isRunning())
        Keeper.waitForFinished();
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
    KeepAgain = true;
    LastBytes = -1;
    KeepQueued = false;
    Last = readOnce(nextReading());
    took(Last);
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
    if (Worker.isRunning()) {
        Again = true;
        return;
    }
    Again = false;
    // The reading lets go of the held records when it ends, before the
    // window applies it.
    Worker.setFuture(QtConcurrent::run([reading = nextReading()]() mutable { return readOnce(std::move(reading)); }));
}

JournalFollower::Reading JournalFollower::nextReading()
{
    return Reading { Path, LockTimeoutMs, Held ? Held() : HeldRecords {}, KeepAgain ? -1 : LastBytes };
}

JournalSnapshot JournalFollower::readOnce(Reading reading)
{
    const std::int64_t heldCount = reading.Held.Records ? std::int64_t(reading.Held.Records->size()) : -1;
    JournalSnapshot s = JournalSnapshot::read(reading.Path, reading.Timeout, std::move(reading.Held));
    // Worth keeping when it differs from the records held (or from the size
    // read last: a partial record), or when the last keeping was not done.
    s.Differs = s.Whole || !s.Changed.empty() || !s.Records.empty() || s.Count != heldCount
        || s.FileBytes != reading.Bytes || s.State == JournalSnapshot::Missing;
    return s;
}

void JournalFollower::took(const JournalSnapshot& snapshot)
{
    if (snapshot.State == JournalSnapshot::Read)
        LastBytes = snapshot.FileBytes;
    // A reading that found the journal busy or unreadable has nothing to
    // keep.
    if (snapshot.Differs
        && (snapshot.State == JournalSnapshot::Read || snapshot.State == JournalSnapshot::Missing))
        keep(snapshot.State);
}

void JournalFollower::keep(JournalSnapshot::Status state)
{
    if (Keeper.isRunning()) {
        KeepQueued = true;
        QueuedState = state;
        return;
    }
    KeepQueued = false;
    // After the reading is applied, on a worker of its own: keeping reads
    // the journal and its latest version again, and the window's refresh
    // does not wait for it.
    Keeper.setFuture(QtConcurrent::run([path = Path, root = HistoryRoot, seen = Seen, state] {
        JournalSnapshot h;
        h.Path = path;
        h.State = state;
        h.keepHistory(root, seen);
        return h;
    }));
}

void JournalFollower::kept()
{
    History = Keeper.future().takeResult();
    if (History.Path != Path) {
        KeepQueued = false;
        return;
    }
    if (!History.Latest.isEmpty())
        Seen = History.Latest;
    KeepAgain = History.HistoryPending;
    emit historyKept();
    if (KeepQueued)
        keep(QueuedState);
}

void JournalFollower::finished()
{
    Last = Worker.future().takeResult();
    watchPaths();
    const bool stale = Last.Path != Path;
    if (!stale) {
        took(Last);
        emit read();
    }
    if (Again || stale)
        readNow();
}
