#include "journal/JournalLock.h"

#include "platform/Clock.h"
#include "platform/EInOutError.h"
#include "journal/Journal.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

namespace {

// The runtime's code for an operation on a file that is not open.
constexpr int FileNotOpen = 103;

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

} // namespace

QString JournalLock::busyText()
{
    return QStringLiteral("Журнал занят другой программой. Повторите попытку.");
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
        // report. A record lock that cannot be given back goes with the
        // file handle when the journal is closed or bound anew; a lock
        // file is removed by its own destructor.
        if (LockFile)
            return;
        struct flock fl {};
        fl.l_type = F_UNLCK;
        fl.l_whence = SEEK_SET;
        if (FJournal.JournalFile.handle() >= 0)
            ::fcntl(FJournal.JournalFile.handle(), F_SETLK, &fl);
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

bool JournalLock::tryOnce(Kind kind)
{
    if (!FJournal.RecordLocksRefused) {
        const Attempt attempt = tryRecordLock(FJournal.JournalFile.handle(), kind == Exclusive ? F_WRLCK : F_RDLCK);
        if (attempt != Attempt::Refused)
            return attempt == Attempt::Had;
        FJournal.RecordLocksRefused = true;
    }
    if (!LockFile)
        LockFile = std::make_unique<JournalLockFile>(FJournal.FileName);
    try {
        return LockFile->tryAcquire();
    } catch (const EInOutError& e) {
        // A reader in a folder it may not write to reads without the lock
        // file, as it could not stop a writer anyway.
        if (kind == Shared && e.errorCode() == EInOutError::AccessDenied) {
            LockFile.reset();
            return true;
        }
        throw;
    }
}

void JournalLock::acquire(Kind kind)
{
    if (FJournal.JournalFile.handle() < 0)
        throw EInOutError(FileNotOpen);

    // The lock is asked for again and again with growing pauses, each
    // with a random share so that waiting programs do not knock in step,
    // until it is had or the time is up.
    Clock& clock = FJournal.clock();
    const std::int64_t deadline = clock.tickCount() + FJournal.LockTimeoutMs;
    int pauseMs = 1;
    while (!tryOnce(kind)) {
        const std::int64_t now = clock.tickCount();
        if (now >= deadline)
            throw Exception(busyText());
        const int pause = pauseMs / 2 + int(QRandomGenerator::global()->bounded(pauseMs)) + 1;
        clock.sleep(int(std::min<std::int64_t>(pause, deadline - now)));
        pauseMs = std::min(pauseMs * 2, 50);
    }
}

void JournalLock::unlock()
{
    if (LockFile) {
        LockFile->release();
        LockFile.reset();
        return;
    }
    const int fd = FJournal.JournalFile.handle();
    if (fd < 0)
        return; // closed meanwhile: the lock went with the handle
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    while (::fcntl(fd, F_SETLK, &fl) != 0) {
        if (errno != EINTR)
            throw EInOutError::fromErrno(errno);
    }
}
