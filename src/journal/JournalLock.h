#pragma once

#include <QString>

class Journal;

// An exclusive (or, for readers, shared) record lock on the whole journal
// file, held from construction until release() or destruction. It is the
// POSIX record lock of the file handle, which network file systems pass to
// the server, so it holds between computers sharing one journal; every
// program that changes the journal takes it. Locks of one journal nest:
// only the outermost takes and gives back the file's lock.
//
// A lock not had within the journal's lock timeout throws an Exception
// "Журнал занят другой программой. Повторите попытку." and nothing has
// been written.
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

private:
    void acquire(Kind kind);
    void unlock();

    Journal& FJournal;
    bool Held = false;
};
