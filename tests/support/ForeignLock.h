#pragma once

#include <QString>

// A lock on a whole file held through a handle of its own, as another
// program, or a bench on another computer, holds the journal's lock. Such a
// lock conflicts with the program's own lock even within this process. The
// handle stays open until the end: closing it gives the lock back.
class ForeignLock
{
public:
    // Locks the file for writing; a test that cannot is ended.
    explicit ForeignLock(const QString& path);
    ~ForeignLock();

    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

    // Whether some other handle holds a lock on the file now.
    bool lockedElsewhere() const;
    // Gives the lock back; the handle stays open, to look with.
    void unlock();

private:
    int Fd;
};
