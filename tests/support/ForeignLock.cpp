#include "support/ForeignLock.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// An open-file-description lock of the whole file, or its test.
int lockCall(int fd, int command, short type)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    const int result = ::fcntl(fd, command, &fl);
    return command == F_OFD_GETLK ? fl.l_type : result;
}

} // namespace

ForeignLock::ForeignLock(const QString& path)
    : Fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC))
{
    if (Fd < 0 || lockCall(Fd, F_OFD_SETLK, F_WRLCK) != 0)
        qFatal("cannot lock %s", qPrintable(path));
}

ForeignLock::~ForeignLock()
{
    ::close(Fd);
}

bool ForeignLock::lockedElsewhere() const
{
    return lockCall(Fd, F_OFD_GETLK, F_WRLCK) != F_UNLCK;
}

void ForeignLock::unlock()
{
    lockCall(Fd, F_OFD_SETLK, F_UNLCK);
}
