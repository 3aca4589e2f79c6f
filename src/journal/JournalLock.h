#pragma once

#include "journal/JournalLockFile.h"

#include <QString>

#include <memory>

class Journal;

// An exclusive (or, for readers, shared) lock on the whole journal file,
// held from construction until release() or destruction; every program
// that changes the journal takes it. Locks of one journal nest: only the
// outermost takes and gives back the file's lock.
//
// The lock is the POSIX record lock of the file handle, which network file
// systems pass to the server, so it holds between computers sharing one
// journal. Where the file system refuses record locks (ENOLCK of a network
// folder without a lock service, EOPNOTSUPP, EINVAL), the lock file beside
// the journal takes its place (JournalLockFile), for readers too; the
// refusal is remembered until the journal is opened anew.
//
// A lock not had within the journal's lock timeout, measured on the
// journal's clock, throws an Exception "Журнал занят другой программой.
// Повторите попытку." and nothing has been written.
class JournalLock
{
public:
    enum Kind { Exclusive, Shared };

    explicit JournalLock(Journal& journal, Kind kind = Exclusive);
    ~JournalLock();

    JournalLock(const JournalLock&) = delete;
    JournalLock& operator=(const JournalLock&) = delete;

    // Gives the lock back; a failure throws EInOutError.
    void release();

    // The text of a lock not had in time.
    static QString busyText();

    // Whether an error of F_SETLK means that the file system has no
    // record locks at all, rather than a failure of this one attempt.
    static bool isRefusal(int err);

private:
    void acquire(Kind kind);
    bool tryOnce(Kind kind);
    void unlock();

    Journal& FJournal;
    bool Held = false;
    std::unique_ptr<JournalLockFile> LockFile; // the outermost lock, when it is a lock file
};
