#pragma once

#include <functional>
#include <vector>

class QProcess;

#include <sys/types.h>

// A piece of a test run as another account of the computer, as a student
// of the class runs the bench: in a child process that drops to the uid,
// primary gid and supplementary groups given (no account of that number
// need exist) and the umask given. Only root may drop so: every test that
// uses it first calls OtherAccount::available() and is skipped without it.
class OtherAccount
{
public:
    // Accounts and the class's group, picked far above those a Debian
    // system gives out, so that no real account owns what the tests make.
    static constexpr uid_t Instructor = 61000;
    static constexpr uid_t FirstStudent = 61001;
    static constexpr uid_t SecondStudent = 61002;
    static constexpr gid_t ClassGroup = 61100;
    static constexpr gid_t OwnGroupOf(uid_t uid) { return gid_t(uid); }

    OtherAccount(uid_t uid, gid_t primaryGroup, std::vector<gid_t> groups, mode_t umask = 022);

    // A student of the class: own primary group, a member of ClassGroup.
    static OtherAccount student(uid_t uid, mode_t umask = 022);

    // Whether this process may drop to another account (it runs as root).
    static bool available();
    // The message of a test skipped without root.
    static const char* unavailableText();

    // Runs `body` in the child as this account; its return value is the
    // child's exit status. 255 when the child could not drop or crashed.
    int run(const std::function<int()>& body) const;
    // Makes the process start its program as this account: the child
    // drops to it before the program runs.
    void prepare(QProcess& process) const;

private:
    uid_t Uid;
    gid_t Gid;
    std::vector<gid_t> Groups;
    mode_t Umask;
};
