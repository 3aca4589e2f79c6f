#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// A lab folder laid out for the class of one group, or mended to that
// layout: everything in it belongs to the instructor and the group.
//
//   the lab folder and its subfolders   2755  no student makes, removes or
//                                             renames anything in them
//   the documents and banks             0644  read by every student
//   the journal                         0660  written by every student,
//                                             made empty when missing
//   the journal's lock folder           2770  where every student makes
//                                             and breaks lock files
//   files named private (answer keys)   0600  the instructor's alone
//
// The content of a file is never touched, the journal's included, nor
// what the lock folder holds. The lab folder is closed first, so that no
// student may put anything in it while the rest is mended. An entry is
// changed through a handle opened without following a symbolic link, so a
// link planted in a folder that students could write never gives its
// target away: links, files of several hard links and entries other than
// files and folders are left alone and named.
class ClassLayout
{
public:
    static constexpr mode_t FolderMode = 02755;
    static constexpr mode_t DocumentMode = 0644;
    static constexpr mode_t JournalMode = 0660;
    static constexpr mode_t LockFolderMode = 02770;
    static constexpr mode_t PrivateMode = 0600;

    // The lab folder dir, its journal and its lock folder by their names
    // in it, given to the instructor and the group.
    ClassLayout(QString dir, QString journal, QString lockFolder, uid_t instructor, gid_t group);

    // Files, by their paths relative to the lab folder, that become the
    // instructor's alone.
    void setPrivate(const QSet<QString>& files) { Private = files; }

    // Lays the folder out. A lab folder that cannot be opened or given
    // away throws an Exception; an entry in it that cannot be changed is
    // named in failed() and the others are changed all the same.
    void apply();

    // Paths relative to the lab folder with the reason each was left
    // alone, and those that could not be changed with the system's reason.
    const QStringList& leftAlone() const { return LeftAlone; }
    const QStringList& failed() const { return Failed; }
    // Whether apply() made the journal.
    bool madeJournal() const { return MadeJournal; }

private:
    void walk(int folderFd, const QString& relative, bool top);
    void mendEntry(int folderFd, const QString& name, const QString& relative, bool top);
    bool give(int fd, mode_t mode, const QString& relative);
    void makeJournal(int folderFd);
    void mendLockFolder(int folderFd);

    QString Dir;
    QString Journal;
    QString LockFolder;
    uid_t Instructor;
    gid_t Group;
    QSet<QString> Private;
    QStringList LeftAlone;
    QStringList Failed;
    bool MadeJournal = false;
};
