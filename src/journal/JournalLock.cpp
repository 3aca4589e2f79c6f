#include "journal/JournalLock.h"

#include "platform/EInOutError.h"
#include "journal/Journal.h"

#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <thread>

namespace {

// The runtime's code for an operation on a file that is not open.
constexpr int FileNotOpen = 103;

// One attempt at the lock of the whole file; false when another program
// holds a conflicting one.
bool tryLock(int fd, short type)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0; // to the end of the file, however far it grows
    for (;;) {
        if (::fcntl(fd, F_SETLK, &fl) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EACCES)
            return false;
        throw EInOutError::fromErrno(errno);
    }
}

} // namespace

QString JournalLock::busyText()
{
    return QStringLiteral("Журнал занят другой программой. Повторите попытку.");
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
        // report. A lock that cannot be given back goes with the file
        // handle when the journal is closed or bound anew.
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

void JournalLock::acquire(Kind kind)
{
    const int fd = FJournal.JournalFile.handle();
    if (fd < 0)
        throw EInOutError(FileNotOpen);
    const short type = kind == Exclusive ? F_WRLCK : F_RDLCK;

    // The lock is asked for again and again with growing pauses, each
    // with a random share so that waiting programs do not knock in step,
    // until it is had or the time is up.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(FJournal.LockTimeoutMs);
    int pauseUs = 500;
    while (!tryLock(fd, type)) {
        const auto now = Clock::now();
        if (now >= deadline)
            throw Exception(busyText());
        const auto pause = std::chrono::microseconds(
            pauseUs / 2 + QRandomGenerator::global()->bounded(pauseUs));
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pauseUs = std::min(pauseUs * 2, 50'000);
    }
}

void JournalLock::unlock()
{
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
