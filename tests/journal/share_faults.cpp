// The faults of a lab's shared folder and of its computers, played for the
// programs of the tests: loaded with LD_PRELOAD (beside the refusal of
// record locks), each fault is switched on by an environment variable and
// every call goes through unchanged without it.
//
//   OPLAB_OTHER_COMPUTER=1    the program runs on a computer of its own: its
//                             process id namespace is one no other program
//                             has, so no other program takes its process
//                             for one of its own computer
//   OPLAB_SLOW_WRITES_MS=N    every write of the journal ("*.DAT") takes N
//                             milliseconds longer, as on a busy file server
//   OPLAB_CLOCK_AHEAD_S=N     the computer's wall clock is N seconds ahead
//                             of the file server's
//   OPLAB_STOP_INSIDE_MS=N    the first look at the journal's size (which a
//                             registration takes under the lock) stops the
//                             whole program (SIGSTOP) for N milliseconds, as
//                             a laptop suspended in the middle of a change;
//                             once for each journal ("*.DAT.stopped" marks it)
//   OPLAB_REUSE_INODES=1      every file of a lock folder ("*.locks/") has
//                             inode number 1, as on a file system that gives
//                             a freed number to the next file at once
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

long envNumber(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : 0;
}

template <typename F>
F next(const char* symbol)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, symbol));
}

bool pathOfFd(int fd, char* out, size_t size)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, out, size - 1);
    if (n <= 0)
        return false;
    out[n] = '\0';
    return true;
}

bool endsWith(const char* s, const char* tail)
{
    const size_t a = std::strlen(s), b = std::strlen(tail);
    return a >= b && std::strcmp(s + a - b, tail) == 0;
}

bool isJournal(int fd)
{
    char path[4096];
    return pathOfFd(fd, path, sizeof path) && endsWith(path, ".DAT");
}

bool inLockFolder(const char* path)
{
    return path && std::strstr(path, ".locks/");
}

bool fdInLockFolder(int fd)
{
    char path[4096];
    return pathOfFd(fd, path, sizeof path) && inLockFolder(path);
}

void slowWrite(int fd)
{
    const long ms = envNumber("OPLAB_SLOW_WRITES_MS");
    if (ms > 0 && isJournal(fd)) {
        const timespec pause { ms / 1000, (ms % 1000) * 1000000 };
        nanosleep(&pause, nullptr);
    }
}

void stopInside(int fd)
{
    static std::atomic<bool> stopped { false };
    const long ms = envNumber("OPLAB_STOP_INSIDE_MS");
    if (ms <= 0 || !isJournal(fd) || stopped.exchange(true))
        return;
    // Once for each journal: pressed again, the student's program goes on
    // (the mark beside the journal tells).
    char mark[4096];
    if (!pathOfFd(fd, mark, sizeof mark - 16))
        return;
    std::strcat(mark, ".stopped");
    const int once = open(mark, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (once < 0)
        return;
    close(once);
    // A waker of its own wakes the program: all its threads stand still
    // meanwhile, its lock's renewal among them.
    const pid_t self = getpid();
    if (fork() == 0) {
        const timespec pause { ms / 1000, (ms % 1000) * 1000000 };
        nanosleep(&pause, nullptr);
        kill(self, SIGCONT);
        _exit(0);
    }
    raise(SIGSTOP);
}

void shiftClock(clockid_t clock, timespec* ts)
{
    if (clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE)
        ts->tv_sec += envNumber("OPLAB_CLOCK_AHEAD_S");
}

template <typename Stat>
void reuseInode(Stat* st)
{
    if (envNumber("OPLAB_REUSE_INODES") > 0)
        st->st_ino = 1;
}

} // namespace

extern "C" {

ssize_t readlink(const char* path, char* buf, size_t size)
{
    static const auto real = next<ssize_t (*)(const char*, char*, size_t)>("readlink");
    if (envNumber("OPLAB_OTHER_COMPUTER") > 0 && std::strcmp(path, "/proc/self/ns/pid") == 0) {
        const int n = std::snprintf(buf, size, "pid:[other-%d]", int(getpid()));
        return n < 0 ? -1 : std::min<ssize_t>(n, ssize_t(size));
    }
    return real(path, buf, size);
}

ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    slowWrite(fd);
    return real(fd, buf, count, offset);
}

ssize_t pwrite64(int fd, const void* buf, size_t count, off_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite64");
    slowWrite(fd);
    return real(fd, buf, count, offset);
}

int clock_gettime(clockid_t clock, timespec* ts)
{
    static const auto real = next<int (*)(clockid_t, timespec*)>("clock_gettime");
    const int r = real(clock, ts);
    if (r == 0)
        shiftClock(clock, ts);
    return r;
}

int gettimeofday(struct timeval* tv, void* tz)
{
    static const auto real = next<int (*)(struct timeval*, void*)>("gettimeofday");
    const int r = real(tv, tz);
    if (r == 0)
        tv->tv_sec += envNumber("OPLAB_CLOCK_AHEAD_S");
    return r;
}

time_t time(time_t* out)
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    if (out)
        *out = ts.tv_sec;
    return ts.tv_sec;
}

int stat(const char* path, struct stat* st)
{
    static const auto real = next<int (*)(const char*, struct stat*)>("stat");
    const int r = real(path, st);
    if (r == 0 && inLockFolder(path))
        reuseInode(st);
    return r;
}

int lstat(const char* path, struct stat* st)
{
    static const auto real = next<int (*)(const char*, struct stat*)>("lstat");
    const int r = real(path, st);
    if (r == 0 && inLockFolder(path))
        reuseInode(st);
    return r;
}

int fstat(int fd, struct stat* st)
{
    static const auto real = next<int (*)(int, struct stat*)>("fstat");
    stopInside(fd);
    const int r = real(fd, st);
    if (r == 0 && envNumber("OPLAB_REUSE_INODES") > 0 && fdInLockFolder(fd))
        reuseInode(st);
    return r;
}

} // extern "C"
