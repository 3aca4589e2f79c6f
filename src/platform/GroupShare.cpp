#include "platform/GroupShare.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Gives what fd names the folder's group and adds `bits` to its mode, when
// the folder's group may write there. The group is only given when this
// account belongs to it (the system refuses it otherwise); then no group
// bit is added either, as it would open the file to the account's own
// group instead.
void shareWith(int fd, const struct stat& folder, mode_t bits)
{
    if (!(folder.st_mode & S_IWGRP))
        return;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return;
    if (st.st_gid != folder.st_gid && ::fchown(fd, uid_t(-1), folder.st_gid) != 0)
        return;
    if ((st.st_mode & bits) != bits)
        ::fchmod(fd, (st.st_mode & 07777) | bits);
}

} // namespace

QByteArray GroupShare::folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

int GroupShare::open(const QByteArray& path, int flags, bool* created)
{
    if (created)
        *created = false;
    // Told apart by O_EXCL: only the program whose exclusive create
    // succeeds made the file and shares it.
    for (;;) {
        if (!(flags & O_EXCL)) {
            const int fd = ::open(path.constData(), flags & ~O_CREAT, 0666);
            if (fd >= 0 || errno != ENOENT || !(flags & O_CREAT))
                return fd;
        }
        const int made = ::open(path.constData(), flags | O_EXCL, 0666);
        if (made < 0) {
            if (errno == EEXIST && !(flags & O_EXCL))
                continue; // another program made it a moment ago
            return -1;
        }
        if (created)
            *created = true;
        share(made, folderOf(path));
        return made;
    }
}

void GroupShare::share(int fd, const QByteArray& folder)
{
    struct stat st {};
    if (::stat(folder.constData(), &st) == 0)
        shareWith(fd, st, S_IRGRP | S_IWGRP);
}

bool GroupShare::makeFolder(const QByteArray& path)
{
    if (::mkdir(path.constData(), 0777) != 0)
        return errno == EEXIST;
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    struct stat parent {};
    if (::stat(folderOf(path).constData(), &parent) == 0)
        shareWith(fd, parent, S_IRWXG | S_ISGID);
    ::close(fd);
    return true;
}
