// A network folder without a lock service, for the programs of the tests:
// loaded with LD_PRELOAD, it makes every record lock request fail with the
// error named in the environment variable OPLAB_REFUSE_LOCKS ("ENOLCK",
// "EOPNOTSUPP" or "EINVAL"), as such a file system answers. Without the
// variable every call goes through unchanged.
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>

namespace {

using Fcntl = int (*)(int, int, ...);

int refusal(int cmd)
{
    switch (cmd) {
    case F_GETLK:
    case F_SETLK:
    case F_SETLKW:
    case F_OFD_GETLK:
    case F_OFD_SETLK:
    case F_OFD_SETLKW:
        break;
    default:
        return 0;
    }
    const char* name = std::getenv("OPLAB_REFUSE_LOCKS");
    if (!name || !*name)
        return 0;
    if (std::strcmp(name, "EOPNOTSUPP") == 0)
        return EOPNOTSUPP;
    if (std::strcmp(name, "EINVAL") == 0)
        return EINVAL;
    return ENOLCK;
}

int forward(const char* symbol, int fd, int cmd, void* arg)
{
    if (const int err = refusal(cmd)) {
        errno = err;
        return -1;
    }
    const auto next = reinterpret_cast<Fcntl>(dlsym(RTLD_NEXT, symbol));
    return next(fd, cmd, arg);
}

} // namespace

extern "C" {

int fcntl(int fd, int cmd, ...)
{
    va_list ap;
    va_start(ap, cmd);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    return forward("fcntl", fd, cmd, arg);
}

int fcntl64(int fd, int cmd, ...)
{
    va_list ap;
    va_start(ap, cmd);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    return forward("fcntl64", fd, cmd, arg);
}

} // extern "C"
