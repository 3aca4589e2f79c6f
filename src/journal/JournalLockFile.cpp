#include "journal/JournalLockFile.h"

#include "platform/EInOutError.h"
#include "platform/GroupShare.h"

#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lease a holder names is taken within these bounds.
constexpr int ShortestLeaseMs = 100;
constexpr int LongestLeaseMs = 10 * 60 * 1000;
// Left-over own files older than this many leases belong to no running
// program: they are swept away after a break.
constexpr int LeftOverLeases = 10;

// Milliseconds of the clock that counts from the boot, the time the
// computer was suspended included: a lease runs on while the computer
// sleeps.
long long bootClockMs()
{
    timespec ts {};
    ::clock_gettime(CLOCK_BOOTTIME, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

long long msOf(const timespec& ts)
{
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// What one open file of the lock folder holds, read and stat'ed through the
// same descriptor.
struct Opened
{
    bool Exists = false;
    QByteArray Text;
    timespec Time {};
};

Opened openAndRead(const QByteArray& path)
{
    Opened o;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ENOENT)
            return o;
        // Not a file this program can open (another account's, unreadable,
        // or not a file): judged by its time alone, as a holder unknown.
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0) {
            if (errno == ENOENT)
                return o;
            throw EInOutError::fromErrno(errno);
        }
        o.Exists = true;
        o.Time = st.st_mtim;
        return o;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0)
        o.Time = st.st_mtim;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) < 0 && errno == EINTR) {
    }
    if (n > 0)
        o.Text = QByteArray(buf, n);
    ::close(fd);
    o.Exists = true;
    return o;
}

int writeAll(int fd, const QByteArray& text)
{
    for (qsizetype done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.constData() + done, size_t(text.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        done += n;
    }
    return 0;
}

} // namespace

struct JournalLockFile::Judged
{
    bool Exists = false;
    bool Stale = false;
    JournalLockHolder Holder;
    timespec Time {};
};

JournalLockFile::JournalLockFile(const QString& journalPath, int leaseMs)
    : Path(pathFor(journalPath))
    , Folder(QFile::encodeName(folderFor(journalPath)))
    , LockPath(QFile::encodeName(Path))
    , BreakPath(Folder + "/break")
    , LeaseMs(std::clamp(leaseMs, ShortestLeaseMs, LongestLeaseMs))
{
}

JournalLockFile::~JournalLockFile()
{
    try {
        release();
    } catch (const Exception&) {
        // Left by a failure: the error on its way is the one to report. A
        // lock left behind is broken as stale by the next writer.
    }
    stopRenewal();
}

QString JournalLockFile::folderFor(const QString& journalPath)
{
    return journalPath + QStringLiteral(".locks");
}

QString JournalLockFile::pathFor(const QString& journalPath)
{
    return folderFor(journalPath) + QStringLiteral("/lock");
}

int JournalLockFile::defaultLease()
{
    static const int lease = [] {
        bool ok = false;
        const int ms = qEnvironmentVariableIntValue("OPLAB_JOURNAL_LEASE_MS", &ok);
        return ok && ms > 0 ? ms : DefaultLeaseMs;
    }();
    return lease;
}

QByteArray JournalLockFile::name(const char* prefix) const
{
    return Folder + "/" + prefix + "." + Token;
}

void JournalLockFile::makeFolder()
{
    if (!GroupShare::makeFolder(Folder))
        throw EInOutError::fromErrno(errno);
}

timespec JournalLockFile::makeOwn(const QByteArray& path)
{
    // The holder's text goes into a file of this program's own first;
    // its time, set by the file server as it is written, is the server's
    // "now" that the locks found are judged against.
    const int fd = GroupShare::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC);
    if (fd < 0)
        throw EInOutError::fromErrno(errno);
    if (const int err = writeAll(fd, JournalLockHolder::self(Token, LeaseMs).text())) {
        ::close(fd);
        ::unlink(path.constData());
        throw EInOutError::fromErrno(err);
    }
    struct stat st {};
    ::fstat(fd, &st);
    ::close(fd);
    return st.st_mtim;
}

bool JournalLockFile::linkOwn(const QByteArray& own, const QByteArray& name, int& err)
{
    const int linked = ::link(own.constData(), name.constData());
    err = linked == 0 ? 0 : errno;
    // A reply of the file server lost on the way fails a link that was
    // made: the second link to the own file tells.
    struct stat after {};
    const bool made = linked == 0 || (::stat(own.constData(), &after) == 0 && after.st_nlink == 2);
    ::unlink(own.constData());
    return made;
}

bool JournalLockFile::makeInPlace(timespec& made)
{
    // A file system without hard links: the lock is made with O_EXCL and
    // named after; a program that finds it still empty judges it by its
    // time, as a holder unknown.
    const int fd = GroupShare::open(LockPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        throw EInOutError::fromErrno(errno);
    }
    const int err = writeAll(fd, JournalLockHolder::self(Token, LeaseMs).text());
    struct stat st {};
    ::fstat(fd, &st);
    ::close(fd);
    if (err) {
        ::unlink(LockPath.constData());
        throw EInOutError::fromErrno(err);
    }
    made = st.st_mtim;
    return true;
}

bool JournalLockFile::tryAcquire()
{
    if (Held)
        return true;
    makeFolder();
    // After a stale lock is broken the lock is tried again at once; a
    // second stale lock in a row is left to the next attempt.
    for (int round = 0; round < 2; ++round) {
        Token = JournalLockHolder::newToken();
        const QByteArray own = name("lock");
        const timespec serverNow = makeOwn(own);
        int err = 0;
        bool made = linkOwn(own, LockPath, err);
        if (!made && (err == EPERM || err == EOPNOTSUPP || err == ENOSYS)) {
            timespec inPlace {};
            made = makeInPlace(inPlace);
            err = made ? 0 : EEXIST;
        }
        if (made) {
            Held = true;
            Lost = false;
            RenewedAt = bootClockMs();
            startRenewal();
            return true;
        }
        if (err == EINTR)
            continue;
        if (err != EEXIST)
            throw EInOutError::fromErrno(err);
        const Judged found = judge(LockPath, serverNow, LeaseMs);
        if (!found.Exists)
            continue; // given back meanwhile: try again at once
        if (!found.Stale || !breakStale(found))
            return false;
    }
    return false;
}

JournalLockFile::Judged JournalLockFile::judge(const QByteArray& path, const timespec& serverNow, int leaseMs)
{
    Judged j;
    const Opened o = openAndRead(path);
    if (!o.Exists)
        return j;
    j.Exists = true;
    j.Holder = JournalLockHolder::parse(o.Text);
    j.Time = o.Time;

    JournalBusy::Holder& busy = LastHolder;
    busy = JournalBusy::Holder();
    busy.Known = true;
    busy.Host = QString::fromUtf8(j.Holder.Host);
    busy.Pid = j.Holder.Pid;
    busy.Since = j.Holder.Since;
    if (j.Holder.onThisComputer()) {
        // A program of this computer: held for as long as it runs, were
        // it stopped or slow; gone at once when it ended.
        busy.ThisComputer = j.Holder.runs();
        j.Stale = !busy.ThisComputer;
        return j;
    }
    // Anyone else holds a lease, renewed by its holder: stale once its
    // time is older than the lease by the file server's clock.
    const int lease = j.Holder.LeaseMs > 0 ? std::clamp(j.Holder.LeaseMs, ShortestLeaseMs, LongestLeaseMs) : leaseMs;
    const long long age = msOf(serverNow) - msOf(o.Time);
    j.Stale = age > lease;
    busy.BreakAt = QDateTime::currentDateTimeUtc().addMSecs(std::max(0LL, lease - age));
    return j;
}

bool JournalLockFile::breakStale(const Judged& stale)
{
    // One breaker at a time, under "break", which a breaker holds for
    // moments only: its own lease is a quarter of the lock's.
    const int breakLease = std::max(ShortestLeaseMs, LeaseMs / 4);
    const QByteArray own = name("break");
    const timespec serverNow = makeOwn(own);
    int err = 0;
    if (!linkOwn(own, BreakPath, err)) {
        if (err != EEXIST && err != EINTR)
            throw EInOutError::fromErrno(err);
        const JournalBusy::Holder lockHolder = LastHolder;
        const Judged breaker = judge(BreakPath, serverNow, breakLease);
        LastHolder = lockHolder;
        if (breaker.Exists && breaker.Stale)
            removeIfStill(BreakPath, breaker.Holder.Token, &breaker.Time);
        return false;
    }

    // Judged again under the break lock: the same lock, still stale. A
    // holder that renewed it meanwhile, or gave it back, keeps its lock.
    const Judged again = judge(LockPath, serverNow, LeaseMs);
    bool broken = false;
    if (again.Exists && again.Stale && again.Holder.Token == stale.Holder.Token && sameTime(again.Time, stale.Time)) {
        broken = removeIfStill(LockPath, again.Holder.Token, &again.Time);
        if (broken) {
            // A holder killed between making its own file and naming it
            // the lock left that file too.
            if (!again.Holder.Token.isEmpty())
                ::unlink((Folder + "/lock." + again.Holder.Token).constData());
            sweep(serverNow);
        }
    }
    removeIfStill(BreakPath, Token, nullptr);
    return broken || !again.Exists;
}

bool JournalLockFile::removeIfStill(const QByteArray& path, const QByteArray& token, const timespec* time)
{
    // Moved aside under a name of this program's own, then read: what was
    // moved is removed only when it is the lock meant (its token, and its
    // time when given); another is put back where it stood.
    const QByteArray aside = name("aside");
    if (::rename(path.constData(), aside.constData()) != 0) {
        if (errno == ENOENT)
            return false;
        throw EInOutError::fromErrno(errno);
    }
    const Opened moved = openAndRead(aside);
    const JournalLockHolder holder = JournalLockHolder::parse(moved.Text);
    if (holder.Token == token && (!time || sameTime(moved.Time, *time))) {
        ::unlink(aside.constData());
        return true;
    }
    // Where another program took the lock in the very moment between, the
    // holder of the lock put aside loses it: it finds out by its check
    // before every write, and writes nothing.
    ::link(aside.constData(), path.constData());
    ::unlink(aside.constData());
    return false;
}

void JournalLockFile::sweep(const timespec& serverNow)
{
    // Own files of programs that were killed between making them and
    // naming them: none of a running program is ever that old.
    DIR* dir = ::opendir(Folder.constData());
    if (!dir)
        return;
    const long long oldest = msOf(serverNow) - (long long)LeftOverLeases * LeaseMs;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray entry(e->d_name);
        if (!entry.startsWith("lock.") && !entry.startsWith("break.") && !entry.startsWith("aside."))
            continue;
        const QByteArray path = Folder + "/" + entry;
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && msOf(st.st_mtim) < oldest)
            ::unlink(path.constData());
    }
    ::closedir(dir);
}

void JournalLockFile::release()
{
    if (!Held)
        return;
    Held = false;
    // The renewal is told to stop, and waited for only once the lock is
    // given back: on a busy computer its thread may take a while to be
    // scheduled, and no other program should wait for that. A renewal
    // meanwhile touches this lock or finds it gone, nothing else.
    askRenewalToStop();
    const auto joined = qScopeGuard([this] { stopRenewal(); });
    // Removed only while it still carries this lock's token: a lock broken
    // as stale meanwhile, and perhaps taken by another, is left alone.
    const Opened there = openAndRead(LockPath);
    if (!there.Exists || JournalLockHolder::parse(there.Text).Token != Token)
        return;
    removeIfStill(LockPath, Token, nullptr);
}

bool JournalLockFile::stillHeld()
{
    if (!Held || Lost)
        return false;
    // A holder whose renewal has not come through for half the lease
    // (a stopped process, a suspended computer, a server that does not
    // answer) may have been broken by now, or soon will be.
    if (bootClockMs() - RenewedAt >= LeaseMs / 2)
        return false;
    const Opened there = openAndRead(LockPath);
    return there.Exists && JournalLockHolder::parse(there.Text).Token == Token;
}

void JournalLockFile::startRenewal()
{
    stopRenewal();
    RenewStop = false;
    Renewer = std::thread([this] {
        std::unique_lock<std::mutex> lock(RenewMutex);
        while (!RenewWake.wait_for(lock, std::chrono::milliseconds(LeaseMs / 4), [this] { return RenewStop; })) {
            lock.unlock();
            renewOnce();
            lock.lock();
        }
    });
}

void JournalLockFile::askRenewalToStop()
{
    {
        std::lock_guard<std::mutex> lock(RenewMutex);
        RenewStop = true;
    }
    RenewWake.notify_all();
}

void JournalLockFile::stopRenewal()
{
    if (!Renewer.joinable())
        return;
    askRenewalToStop();
    Renewer.join();
}

void JournalLockFile::renewOnce()
{
    // The lock's time is set to the file server's "now" through the very
    // file whose token was read: a lock broken and made anew meanwhile is
    // never renewed by mistake.
    const int fd = ::open(LockPath.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ENOENT)
            Lost = true;
        return;
    }
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0 || JournalLockHolder::parse(QByteArray(buf, int(n))).Token != Token)
        Lost = true;
    else if (::futimens(fd, nullptr) == 0)
        RenewedAt = bootClockMs();
    ::close(fd);
}
