#include "journal/JournalLockFile.h"

#include "platform/EInOutError.h"

#include <QDateTime>
#include <QFile>
#include <QList>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QByteArray& path, qsizetype limit = 4096)
{
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(limit);
}

QByteArray thisHost()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return QByteArray();
    // Part of file names beside the journal: nothing that leaves the folder.
    return QByteArray(name).replace('/', '_');
}

// A random id the kernel draws at every start of the computer: equal ids
// are the same computer in the same run.
QByteArray bootId()
{
    return readAll("/proc/sys/kernel/random/boot_id").trimmed();
}

// When this computer was last started, in seconds of the wall clock; 0
// when not known.
std::time_t bootTime()
{
    for (const QByteArray& line : readAll("/proc/stat", 1 << 16).split('\n'))
        if (line.startsWith("btime "))
            return std::time_t(line.mid(6).trimmed().toLongLong());
    return 0;
}

// The start of a running process in clock ticks after the boot, or -1
// when no process of that id runs (a zombie, stopped for good, counts as
// gone). -2 when this cannot be told from /proc.
long long processStart(long long pid)
{
    const QByteArray stat = readAll("/proc/" + QByteArray::number(pid) + "/stat");
    if (stat.isEmpty()) {
        if (readAll("/proc/self/stat").isEmpty())
            return -2;
        return -1;
    }
    // "pid (name) state ppid ...": the name may hold blanks and brackets,
    // so the fields are counted from the last closing bracket.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20 || fields[0] == "Z" || fields[0] == "X")
        return -1;
    return fields[19].toLongLong();
}

bool processRuns(long long pid, long long start)
{
    if (pid == ::getpid())
        return true; // another journal of this program on the same file
    const long long started = processStart(pid);
    if (started == -2)
        return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
    // A process id used again by a later process is not the holder.
    return started >= 0 && (start < 0 || started == start);
}

struct Holder
{
    QByteArray Host;
    QByteArray Boot;
    long long Pid = -1;
    long long Start = -1;
};

Holder holderOf(const QByteArray& text)
{
    Holder h;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1).trimmed();
        bool ok = false;
        if (key == "host")
            h.Host = value;
        else if (key == "boot")
            h.Boot = value;
        else if (key == "pid" && (h.Pid = value.toLongLong(&ok), !ok || h.Pid <= 0))
            h.Pid = -1;
        else if (key == "start" && (h.Start = value.toLongLong(&ok), !ok))
            h.Start = -1;
    }
    return h;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

JournalLockFile::JournalLockFile(const QString& journalPath)
    : Path(pathFor(journalPath))
{
}

JournalLockFile::~JournalLockFile()
{
    try {
        release();
    } catch (const Exception&) {
        // Left by a failure: the error on its way is the one to report. A
        // lock file left behind is broken as stale by the next writer.
    }
}

QString JournalLockFile::pathFor(const QString& journalPath)
{
    return journalPath + QStringLiteral(".lock");
}

QString JournalLockFile::folderFor(const QString& journalPath)
{
    return journalPath + QStringLiteral(".locks");
}

QByteArray JournalLockFile::holderText()
{
    const long long pid = ::getpid();
    return "host=" + thisHost() + "\nboot=" + bootId() + "\npid=" + QByteArray::number(pid)
        + "\nstart=" + QByteArray::number(processStart(pid)) + "\ntime="
        + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() + "\n";
}

bool JournalLockFile::tryAcquire()
{
    if (Held)
        return true;
    const QByteArray path = QFile::encodeName(Path);
    // After a stale file is broken the lock is tried again at once; a
    // second stale file in a row is left to the next attempt.
    for (int tries = 0; tries < 2;) {
        struct stat there {};
        const bool taken = ::stat(path.constData(), &there) == 0;
        if (!taken) {
            const int made = make(path);
            if (made > 0)
                return true;
            if (made < 0)
                continue; // interrupted
        }
        if (!breakIfStale())
            return false;
        ++tries;
    }
    return false;
}

int JournalLockFile::make(const QByteArray& path)
{
    // The holder's name goes into a file of this program's own first,
    // which then takes the lock's name with link(), atomic on every
    // network file system: the lock file never exists without its
    // holder's name, even when the program is killed in between.
    const QByteArray text = holderText();
    const QByteArray own = path + "." + thisHost() + "-" + QByteArray::number(::getpid());
    const int fd = ::open(own.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw EInOutError::fromErrno(errno);
    for (qsizetype done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.constData() + done, size_t(text.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            ::close(fd);
            ::unlink(own.constData());
            throw EInOutError::fromErrno(err);
        }
        done += n;
    }
    struct stat mine {};
    ::fstat(fd, &mine);
    ::close(fd);
    const int linked = ::link(own.constData(), path.constData());
    const int err = errno;
    // A reply of the file server lost on the way fails a link that was
    // made: the second link to the own file tells.
    struct stat after {};
    const bool made = linked == 0 || (::stat(own.constData(), &after) == 0 && after.st_nlink == 2);
    ::unlink(own.constData());
    if (!made && (err == EPERM || err == EOPNOTSUPP || err == ENOSYS))
        return makeInPlace(path, text);
    if (!made) {
        if (err == EINTR)
            return -1;
        if (err == EEXIST)
            return 0;
        throw EInOutError::fromErrno(err);
    }
    Device = mine.st_dev;
    Inode = mine.st_ino;
    Held = true;
    return 1;
}

int JournalLockFile::makeInPlace(const QByteArray& path, const QByteArray& text)
{
    // A file system without hard links: the lock file is made with
    // O_CREAT|O_EXCL and named after; killed in between, a program leaves
    // a nameless lock that only ages out.
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EINTR)
            return -1;
        if (errno == EEXIST)
            return 0;
        throw EInOutError::fromErrno(errno);
    }
    for (qsizetype done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.constData() + done, size_t(text.size() - done));
        if (n <= 0 && errno != EINTR)
            break; // a full disk: the lock holds all the same
        done += n > 0 ? n : 0;
    }
    struct stat mine {};
    ::fstat(fd, &mine);
    ::close(fd);
    Device = mine.st_dev;
    Inode = mine.st_ino;
    Held = true;
    return 1;
}

void JournalLockFile::release()
{
    if (!Held)
        return;
    Held = false;
    const QByteArray path = QFile::encodeName(Path);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || st.st_dev != Device || st.st_ino != Inode)
        return; // broken as stale while held, perhaps made anew by another
    if (::unlink(path.constData()) != 0 && errno != ENOENT)
        throw EInOutError::fromErrno(errno);
}

bool JournalLockFile::breakIfStale()
{
    const QByteArray path = QFile::encodeName(Path);
    struct stat judged {};
    if (::stat(path.constData(), &judged) != 0) {
        if (errno == ENOENT)
            return true; // given back meanwhile: try again at once
        throw EInOutError::fromErrno(errno);
    }
    const Holder holder = holderOf(readAll(path));
    bool stale = false;
    const QByteArray boot = bootId();
    if (!holder.Boot.isEmpty() && holder.Boot == boot) {
        // A holder on this computer since its last start: gone when its
        // process no longer runs (killed, or crashed while it wrote).
        stale = holder.Pid > 0 && !processRuns(holder.Pid, holder.Start);
    } else if (!holder.Host.isEmpty() && holder.Host == thisHost()) {
        // Made under this computer's name before it was last started: a
        // file left by a power cut. (A copy of this computer under the
        // same name would have made it after our start.)
        const std::time_t booted = bootTime();
        stale = booted > 0 && judged.st_mtime < booted;
    }
    // Any other holder: gone once the file is older than any change of
    // the journal could take. The file's time is the file server's; the
    // computers of a lab keep their clocks to it.
    if (!stale)
        stale = std::time(nullptr) - judged.st_mtime > StaleAfterSeconds;
    if (!stale)
        return false;

    // Two programs may find the same stale file at once. Each moves it
    // aside under a name of its own and checks that what it moved is the
    // file it judged: if the other had already removed it and a new
    // holder made the lock meanwhile, the new lock is put back.
    const QByteArray aside = path + ".stale-" + thisHost() + "-" + QByteArray::number(::getpid());
    if (::rename(path.constData(), aside.constData()) != 0) {
        if (errno == ENOENT)
            return true;
        throw EInOutError::fromErrno(errno);
    }
    struct stat moved {};
    if (::stat(aside.constData(), &moved) == 0 && !(sameFile(moved, judged) && moved.st_mtime == judged.st_mtime)) {
        if (::link(aside.constData(), path.constData()) != 0) {
            // A third program made a lock in the very moment between, and
            // two hold at once. That takes three programs at one stale
            // file within microseconds; nothing is left to do about it.
        }
        ::unlink(aside.constData());
        return false;
    }
    ::unlink(aside.constData());
    // A holder killed between naming its lock and tidying up left its own
    // file too.
    if (!holder.Host.isEmpty() && !holder.Host.contains('/') && holder.Pid > 0)
        ::unlink((path + "." + holder.Host + "-" + QByteArray::number(holder.Pid)).constData());
    return true;
}
