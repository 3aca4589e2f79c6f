#include "support/OtherAccount.h"

#include <QProcess>

#include <cerrno>
#include <grp.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

OtherAccount::OtherAccount(uid_t uid, gid_t primaryGroup, std::vector<gid_t> groups, mode_t umask)
    : Uid(uid)
    , Gid(primaryGroup)
    , Groups(std::move(groups))
    , Umask(umask)
{
}

OtherAccount OtherAccount::student(uid_t uid, mode_t umask)
{
    return OtherAccount(uid, OwnGroupOf(uid), { ClassGroup }, umask);
}

bool OtherAccount::available()
{
    return ::geteuid() == 0;
}

const char* OtherAccount::unavailableText()
{
    return "runs parts as other accounts, which needs root (CI runs it so)";
}

int OtherAccount::run(const std::function<int()>& body) const
{
    const pid_t child = ::fork();
    if (child < 0)
        return 255;
    if (child == 0) {
        // The groups first, while the process may still change them.
        if (::setgroups(Groups.size(), Groups.data()) != 0 || ::setresgid(Gid, Gid, Gid) != 0
            || ::setresuid(Uid, Uid, Uid) != 0)
            ::_exit(255);
        ::umask(Umask);
        int status = 255;
        try {
            status = body();
        } catch (...) {
        }
        ::_exit(status);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return 255;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

void OtherAccount::prepare(QProcess& process) const
{
    // The system calls themselves, not the C library's wrappers, which
    // would signal every thread of a process: the child may share the
    // parent's memory until it runs the program.
    process.setChildProcessModifier([uid = Uid, gid = Gid, groups = Groups, mask = Umask] {
        if (::syscall(SYS_setgroups, groups.size(), groups.data()) != 0
            || ::syscall(SYS_setresgid, gid, gid, gid) != 0 || ::syscall(SYS_setresuid, uid, uid, uid) != 0)
            ::_exit(255);
        ::umask(mask);
    });
}
