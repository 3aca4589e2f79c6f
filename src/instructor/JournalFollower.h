#pragma once

#include "instructor/JournalSnapshot.h"

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

// Follows a journal as the benches write it: reads it at once, then again
// whenever the file system reports a change of the file or its folder and
// at every tick of a poll (network file systems send no change notices).
// Each later reading runs on a worker thread, so the window never waits for
// the disk or for a bench that holds the journal's lock: a lock not had
// within the lock timeout ends the reading as busy, and the next tick tries
// again.
// Readings never overlap; a change reported during one starts another
// when it ends.
class JournalFollower : public QObject
{
    Q_OBJECT

public:
    explicit JournalFollower(QObject* parent = nullptr);
    ~JournalFollower() override;

    // Starts following the journal at `path` (none when empty), with a
    // first reading made at once on the calling thread.
    void follow(const QString& path);
    const QString& path() const { return Path; }

    int pollInterval() const { return Poll.interval(); }
    void setPollInterval(int milliseconds);
    int lockTimeout() const { return LockTimeoutMs; }
    void setLockTimeout(int milliseconds) { LockTimeoutMs = milliseconds; }
    // Whether change notices of the file system start a reading (the poll
    // always does).
    bool watching() const { return Watching; }
    void setWatching(bool on);

    // The records the window holds, for each reading to compare with (a
    // reading of everything while it gives none).
    void setHeld(std::function<HeldRecords()> held) { Held = std::move(held); }

    // The journal's history: after a reading that found the journal changed
    // has been given out, the journal is kept as a version on a worker of
    // its own (JournalSnapshot::keepHistory) under the history folder
    // `historyRoot` (the instructor's own when empty), with the versions
    // kept after the one seen last, which each keeping moves on to the
    // latest; historyKept() tells, takeHistory() gives it.
    const QString& historyRoot() const { return HistoryRoot; }
    void setHistoryRoot(const QString& root) { HistoryRoot = root; }
    void setSeenVersion(const QString& id) { Seen = id; }

    // Reads the journal as soon as no other reading runs.
    void readNow();

    // The last finished reading, taken by the receiver of read().
    JournalSnapshot takeSnapshot() { return std::move(Last); }
    // The last keeping of the history (its history fields), taken by the
    // receiver of historyKept().
    JournalSnapshot takeHistory() { return std::move(History); }
    bool isKeeping() const { return Keeper.isRunning(); }

signals:
    // A reading has ended, well or not; takeSnapshot() gives it.
    void read();
    // A keeping of the history has ended; takeHistory() gives it.
    void historyKept();

private:
    void finished();
    void watchPaths();
    // What a reading needs to know of the readings before it.
    struct Reading
    {
        QString Path;
        int Timeout;
        HeldRecords Held;
        std::int64_t Bytes;
    };
    Reading nextReading();
    static JournalSnapshot readOnce(Reading reading);
    void took(const JournalSnapshot& snapshot);
    void keep(JournalSnapshot::Status state);
    void kept();

    QString Path;
    std::function<HeldRecords()> Held;
    int LockTimeoutMs = 100;
    bool Watching = true;
    bool Again = false;
    bool KeepAgain = true; // the next reading keeps the journal whatever it finds
    QString HistoryRoot;
    QString Seen;
    std::int64_t LastBytes = -1;
    QTimer Poll;
    QFileSystemWatcher Watcher;
    QFutureWatcher<JournalSnapshot> Worker;
    JournalSnapshot Last;
    QFutureWatcher<JournalSnapshot> Keeper;
    JournalSnapshot History;
    bool KeepQueued = false;
    JournalSnapshot::Status QueuedState = JournalSnapshot::Read;
};
