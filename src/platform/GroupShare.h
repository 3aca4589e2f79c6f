#pragma once

#include <QByteArray>

// Files and folders that the accounts of a class share: the journal, its
// lock folder and the lock files in it. Made by one student's program in a
// folder that the folder's group may write, each is given the folder's
// group and the group's permission to read and write (a folder also to
// enter and to make files in, with the set-group-ID bit, so that what is
// made in it keeps the group), whatever the umask of the account that made
// it: the next student's program must be able to write the journal and to
// read and break a lock. In a folder its group may not write (a personal
// lab folder) nothing changes and the umask stands.
class GroupShare
{
public:
    // Opens path with flags, which hold O_CREAT (and O_EXCL where only a
    // new file will do); a file this call makes (it alone, not another
    // program a moment before) is shared with the group of its folder. Returns the descriptor, or -1 with errno set.
    // `created`, when given, tells whether this call made the file.
    static int open(const QByteArray& path, int flags, bool* created = nullptr);

    // Shares a file that this program has just made (open at fd) with the
    // group of the folder it was made in.
    static void share(int fd, const QByteArray& folder);

    // Makes the folder, shared with the group of the folder it is made in;
    // true when it was made or was there already, else false with errno.
    static bool makeFolder(const QByteArray& path);

    // The folder that holds path ("." for a bare name).
    static QByteArray folderOf(const QByteArray& path);
};
