#include "platform/ClassLayout.h"

#include "platform/Exception.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Closes a handle at the end of a scope.
struct Handle
{
    int Fd;
    ~Handle()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
};

// The names in the folder open at fd, read whole before any is changed.
QStringList namesIn(int fd, int& err)
{
    QStringList names;
    const int copy = ::dup(fd);
    DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!dir) {
        err = errno;
        if (copy >= 0)
            ::close(copy);
        return names;
    }
    ::rewinddir(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << QFile::decodeName(name);
    }
    err = errno;
    ::closedir(dir);
    names.sort();
    return names;
}

} // namespace

ClassLayout::ClassLayout(QString dir, QString journal, QString lockFolder, uid_t instructor, gid_t group)
    : Dir(std::move(dir))
    , Journal(std::move(journal))
    , LockFolder(std::move(lockFolder))
    , Instructor(instructor)
    , Group(group)
{
}

void ClassLayout::apply()
{
    LeftAlone.clear();
    Failed.clear();
    MadeJournal = false;
    // The lab folder named is followed when it is a link: the instructor
    // named it so.
    const Handle top { ::open(QFile::encodeName(Dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) };
    if (top.Fd < 0)
        throw Exception(QStringLiteral("%1: %2").arg(Dir, systemText(errno)));
    if (::fchown(top.Fd, Instructor, Group) != 0 || ::fchmod(top.Fd, FolderMode) != 0)
        throw Exception(QStringLiteral("%1: cannot give it to the instructor and the group: %2")
                            .arg(Dir, systemText(errno)));
    makeJournal(top.Fd);
    walk(top.Fd, QString(), true);
}

void ClassLayout::makeJournal(int folderFd)
{
    const QByteArray name = QFile::encodeName(Journal);
    const int fd = ::openat(folderFd, name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno != EEXIST)
            Failed << QStringLiteral("%1: %2").arg(Journal, systemText(errno));
        return;
    }
    MadeJournal = true;
    ::close(fd); // given away with the other entries
}

void ClassLayout::walk(int folderFd, const QString& relative, bool top)
{
    int err = 0;
    const QStringList names = namesIn(folderFd, err);
    if (err != 0)
        Failed << QStringLiteral("%1: %2").arg(relative.isEmpty() ? QStringLiteral(".") : relative, systemText(err));
    for (const QString& name : names)
        mendEntry(folderFd, name, relative.isEmpty() ? name : relative + QLatin1Char('/') + name, top);
    if (top && !names.contains(LockFolder))
        mendLockFolder(folderFd);
}

void ClassLayout::mendEntry(int folderFd, const QString& name, const QString& relative, bool top)
{
    if (top && name == LockFolder) {
        mendLockFolder(folderFd);
        return;
    }
    const QByteArray bytes = QFile::encodeName(name);
    struct stat st {};
    if (::fstatat(folderFd, bytes.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        Failed << QStringLiteral("%1: %2").arg(relative, systemText(errno));
        return;
    }
    if (S_ISLNK(st.st_mode)) {
        LeftAlone << QStringLiteral("%1: символьная ссылка").arg(relative);
        return;
    }
    if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode)) {
        LeftAlone << QStringLiteral("%1: не файл и не папка").arg(relative);
        return;
    }
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC
        | (S_ISDIR(st.st_mode) ? O_DIRECTORY : 0);
    const Handle entry { ::openat(folderFd, bytes.constData(), flags) };
    if (entry.Fd < 0 || ::fstat(entry.Fd, &st) != 0) {
        Failed << QStringLiteral("%1: %2").arg(relative, systemText(errno));
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        if (give(entry.Fd, FolderMode, relative))
            walk(entry.Fd, relative, false);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        LeftAlone << QStringLiteral("%1: не файл и не папка").arg(relative);
        return;
    }
    // Another name of the same file may stand anywhere, outside the lab
    // folder too: giving it away would give that file away.
    if (st.st_nlink > 1) {
        LeftAlone << QStringLiteral("%1: у файла %2 имени (жёсткие ссылки)").arg(relative).arg(st.st_nlink);
        return;
    }
    const mode_t mode = top && name == Journal ? JournalMode
        : Private.contains(relative)           ? PrivateMode
                                               : DocumentMode;
    give(entry.Fd, mode, relative);
}

void ClassLayout::mendLockFolder(int folderFd)
{
    const QByteArray name = QFile::encodeName(LockFolder);
    if (::mkdirat(folderFd, name.constData(), 0700) != 0 && errno != EEXIST) {
        Failed << QStringLiteral("%1: %2").arg(LockFolder, systemText(errno));
        return;
    }
    const Handle fd { ::openat(folderFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC) };
    if (fd.Fd < 0) {
        if (errno == ELOOP || errno == ENOTDIR)
            LeftAlone << QStringLiteral("%1: не папка").arg(LockFolder);
        else
            Failed << QStringLiteral("%1: %2").arg(LockFolder, systemText(errno));
        return;
    }
    // What it holds are the lock files of the benches: left as they are.
    give(fd.Fd, LockFolderMode, LockFolder);
}

bool ClassLayout::give(int fd, mode_t mode, const QString& relative)
{
    // The owner first: a change of owner clears the set-ID bits.
    if (::fchown(fd, Instructor, Group) == 0 && ::fchmod(fd, mode) == 0)
        return true;
    Failed << QStringLiteral("%1: %2").arg(relative, systemText(errno));
    return false;
}
