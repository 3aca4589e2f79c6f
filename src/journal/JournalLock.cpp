#include "journal/JournalLock.h"

#include "platform/Clock.h"
#include "platform/EInOutError.h"
#include "journal/Journal.h"

#include <QRandomGenerator>

#include <algorithm>
#include <utility>
#include <cerrno>
#include <fcntl.h>

namespace {

enum class Attempt { Had, Busy, Refused };

// One attempt at the record lock of the whole file.
Attempt tryRecordLock(int fd, short type)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // to the end of the file, however far it grows
    for (;;) {
        if (::fcntl(fd, F_SETLK, &fl) == 0)
            return Attempt::Had;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EACCES)
            return Attempt::Busy;
        if (JournalLock::isRefusal(errno))
            return Attempt::Refused;
        throw EInOutError::fromErrno(errno);
    }
}

// Gives the record lock back; false with errno when the system refused.
bool recordUnlock(int fd)
{
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    while (::fcntl(fd, F_SETLK, &fl) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

} // namespace

QString JournalLock::busyText()
{
    return JournalBusy::busyText();
}

bool JournalLock::isRefusal(int err)
{
    return err == ENOLCK || err == EOPNOTSUPP || err == EINVAL;
}

JournalLock::JournalLock(Journal& journal, Kind kind)
    : FJournal(journal)
{
    if (FJournal.LockDepth == 0)
        acquire(kind);
    ++FJournal.LockDepth;
    Held = true;
}

JournalLock::~JournalLock()
{
    if (!Held)
        return;
    Held = false;
    if (--FJournal.LockDepth == 0) {
        // Left by a failure: the error already on its way is the one to
        // report. The lock file is given back by its own destructor; a
        // record lock that cannot be given back goes with the file handle
        // when the journal is closed or bound anew.
        FJournal.HeldLockFile = nullptr;
        LockFile.reset();
        dropRecordLock();
    }
}

void JournalLock::release()
{
    if (!Held)
        return;
    Held = false;
    if (--FJournal.LockDepth == 0)
        unlock();
}

void JournalLock::dropRecordLock()
{
    if (!RecordLockHeld)
        return;
    RecordLockHeld = false;
    if (FJournal.JournalFile.handle() >= 0)
        recordUnlock(FJournal.JournalFile.handle());
}

bool JournalLock::takeLockFile(Kind kind)
{
    if (!LockFile)
        LockFile = std::make_unique<JournalLockFile>(FJournal.FileName);
    try {
        return LockFile->tryAcquire();
    } catch (const EInOutError& e) {
        LockFile.reset();
        // A full disk, or a folder where no lock file may be made: the
        // record lock, where there is one, guards the change alone (a
        // measurement written in place needs no room on the disk).
        if (RecordLockHeld)
            return true;
        // A reader in a folder it may not write to reads without the lock
        // file, as it could not stop a writer anyway.
        if (kind == Shared && e.errorCode() == EInOutError::AccessDenied)
            return true;
        throw;
    }
}

bool JournalLock::tryOnce(Kind kind)
{
    if (!FJournal.RecordLocksRefused) {
        FJournal.JournalFile.resume();
        const Attempt attempt =
            tryRecordLock(FJournal.JournalFile.handle(), kind == Exclusive ? F_WRLCK : F_RDLCK);
        if (attempt == Attempt::Busy)
            return false;
        if (attempt == Attempt::Had)
            RecordLockHeld = true;
        else
            FJournal.RecordLocksRefused = true;
    }
    if (!takeLockFile(kind)) {
        // Another program holds the lock file: the record lock is given
        // back while this one waits, so that no one waits for two.
        dropRecordLock();
        return false;
    }
    if (!RecordLockHeld) {
        // Nothing made the file server's copy the one read: the journal is
        // opened anew now that no one else writes it.
        FJournal.JournalFile.reopen();
    }
    FJournal.HeldLockFile = LockFile.get();
    return true;
}

void JournalLock::acquire(Kind kind)
{
    if (!FJournal.JournalFile.isOpen())
        throw EInOutError(EInOutError::FileNotOpen);

    // The lock is asked for again and again with growing pauses, each
    // with a random share so that waiting programs do not knock in step,
    // until it is had or the time is up.
    Clock& clock = FJournal.clock();
    const std::int64_t deadline = clock.tickCount() + FJournal.LockTimeoutMs;
    int pauseMs = 1;
    try {
        while (!tryOnce(kind)) {
            const std::int64_t now = clock.tickCount();
            if (now >= deadline)
                throw JournalBusy(LockFile ? LockFile->busyHolder() : JournalBusy::Holder());
            const int pause = pauseMs / 2 + int(QRandomGenerator::global()->bounded(pauseMs)) + 1;
            FJournal.pause(int(std::min<std::int64_t>(pause, deadline - now)));
            pauseMs = std::min(pauseMs * 2, 50);
        }
    } catch (...) {
        // No lock is kept by an attempt that failed half way.
        FJournal.HeldLockFile = nullptr;
        LockFile.reset();
        dropRecordLock();
        throw;
    }
}

void JournalLock::unlock()
{
    FJournal.HeldLockFile = nullptr;
    const bool written = std::exchange(FJournal.Written, false);
    if (LockFile) {
        // Without a record lock, what was written reaches the storage and
        // the file server, and the journal is closed, before another
        // program may take the lock file: the next lock opens it anew. (A
        // record lock given back does as much on a network folder.)
        if (!RecordLockHeld) {
            if (written)
                FJournal.JournalFile.flush();
            FJournal.JournalFile.park();
        }
        LockFile->release();
        LockFile.reset();
    }
    if (!RecordLockHeld)
        return;
    RecordLockHeld = false;
    const int fd = FJournal.JournalFile.handle();
    if (fd >= 0 && !recordUnlock(fd))
        throw EInOutError::fromErrno(errno);
}
