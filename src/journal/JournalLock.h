#pragma once

#include "journal/JournalLockFile.h"

#include <QString>

#include <memory>

class Journal;

// An exclusive (or, for readers, shared) lock on the whole journal file,
// held from construction until release() or destruction; every program
// that reads or changes the journal takes it. Locks of one journal nest:
// only the outermost takes and gives back the locks.
//
// Two locks make it, taken in this order:
// - the POSIX record lock of the file handle, which network file systems
//   pass to the server (and which makes the server's copy the one read);
//   where the file system refuses record locks (ENOLCK of a network
//   folder without a lock service, EOPNOTSUPP, EINVAL) there is none, and
//   the refusal is remembered until the journal is opened anew;
// - the journal's lock file (JournalLockFile), which every program
//   honours, so that programs of a lab whose computers differ in the
//   matter of record locks never write at the same place. Where it cannot
//   be made (a full disk, a folder no one may write) the record lock alone
//   guards the change; without a record lock that is an error, except for
//   a reader, which reads without any lock.
//
// Without a record lock, the journal is opened anew once the lock file is
// had (so that what another computer wrote is read, not a cached copy),
// and is written to the storage and closed before the lock file is given
// back (TypedFile::park). Every write is made only while the lock file is
// still this program's (checkHeld).
//
// A lock not had within the journal's lock timeout, measured on the
// journal's clock, throws JournalBusy, naming the holder where its lock
// file names it, and nothing has been written. The pauses between
// attempts are the journal's (Journal::setPause): the bench keeps its
// window painted meanwhile.
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

    // The first line of the text of a lock not had in time.
    static QString busyText();

    // Whether an error of F_SETLK means that the file system has no
    // record locks at all, rather than a failure of this one attempt.
    static bool isRefusal(int err);

private:
    void acquire(Kind kind);
    bool tryOnce(Kind kind);
    bool takeLockFile(Kind kind);
    void unlock();
    void dropRecordLock();

    Journal& FJournal;
    bool Held = false;
    bool RecordLockHeld = false;
    std::unique_ptr<JournalLockFile> LockFile; // the outermost lock's lock file, when had
};
