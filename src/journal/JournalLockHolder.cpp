#include "journal/JournalLockHolder.h"

#include <QFile>
#include <QList>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace {

QByteArray readSmall(const char* path, qsizetype limit = 4096)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(limit);
}

// A random id the kernel draws at every start of the computer: equal ids
// are the same computer in the same run.
const QByteArray& bootId()
{
    static const QByteArray id = readSmall("/proc/sys/kernel/random/boot_id").trimmed();
    return id;
}

// The process id namespace of this process ("pid:[4026531836]"): process
// ids of two namespaces (two containers) name different processes.
const QByteArray& pidNamespace()
{
    static const QByteArray name = [] {
        char link[128] = {};
        const ssize_t n = ::readlink("/proc/self/ns/pid", link, sizeof link - 1);
        return n > 0 ? QByteArray(link, n) : QByteArray();
    }();
    return name;
}

// The start of a running process in clock ticks after the boot, or -1
// when no process of that id runs (a zombie counts as gone); -2 when this
// cannot be told from /proc.
long long processStart(long long pid)
{
    const QByteArray stat = readSmall(("/proc/" + QByteArray::number(pid) + "/stat").constData());
    if (stat.isEmpty())
        return readSmall("/proc/self/stat").isEmpty() ? -2 : -1;
    // "pid (name) state ppid ...": the name may hold blanks and brackets,
    // so the fields are counted from the last closing bracket.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20 || fields[0] == "Z" || fields[0] == "X")
        return -1;
    return fields[19].toLongLong();
}

} // namespace

QByteArray JournalLockHolder::thisHost()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return QByteArray();
    // Part of file names beside the journal: nothing that leaves the folder.
    return QByteArray(name).replace('/', '_');
}

QByteArray JournalLockHolder::newToken()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
}

JournalLockHolder JournalLockHolder::self(const QByteArray& token, int leaseMs)
{
    JournalLockHolder h;
    h.Token = token;
    h.Host = thisHost();
    h.Boot = bootId();
    h.PidNamespace = pidNamespace();
    h.Pid = ::getpid();
    h.Start = processStart(h.Pid);
    h.Since = QDateTime::currentDateTimeUtc();
    h.LeaseMs = leaseMs;
    return h;
}

QByteArray JournalLockHolder::text() const
{
    return "token=" + Token + "\nhost=" + Host + "\nboot=" + Boot + "\npidns=" + PidNamespace
        + "\npid=" + QByteArray::number(Pid) + "\nstart=" + QByteArray::number(Start)
        + "\ntime=" + Since.toString(Qt::ISODateWithMs).toLatin1() + "\nlease=" + QByteArray::number(LeaseMs)
        + "\n";
}

JournalLockHolder JournalLockHolder::parse(const QByteArray& text)
{
    JournalLockHolder h;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1).trimmed();
        bool ok = false;
        if (key == "token")
            h.Token = value;
        else if (key == "host")
            h.Host = value;
        else if (key == "boot")
            h.Boot = value;
        else if (key == "pidns")
            h.PidNamespace = value;
        else if (key == "pid" && (h.Pid = value.toLongLong(&ok), !ok || h.Pid <= 0))
            h.Pid = -1;
        else if (key == "start" && (h.Start = value.toLongLong(&ok), !ok))
            h.Start = -1;
        else if (key == "time")
            h.Since = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
        else if (key == "lease" && (h.LeaseMs = value.toInt(&ok), !ok))
            h.LeaseMs = 0;
    }
    return h;
}

bool JournalLockHolder::onThisComputer() const
{
    return !Boot.isEmpty() && Boot == bootId() && PidNamespace == pidNamespace() && Pid > 0;
}

bool JournalLockHolder::runs() const
{
    if (Pid == ::getpid())
        return true; // another journal of this program on the same file
    const long long started = processStart(Pid);
    if (started == -2)
        return ::kill(pid_t(Pid), 0) == 0 || errno == EPERM;
    // A process id used again by a later process is not the holder.
    return started >= 0 && (Start < 0 || started == Start);
}
