#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The lock of a journal whose file system refuses record locks (a network
// folder without a lock service): a file beside the journal,
// "Students.DAT.lock", made by an operation that the file server does
// atomically (a hard link, or O_CREAT|O_EXCL where the file system has no
// links), so only one program at a time makes it. It names its holder:
// host, boot, process id, the process's start and the time.
//
// A lock file whose holder is gone is broken: at once when the holder is a
// process of this computer in this boot that no longer runs, or a file
// this computer made before it was last started; otherwise once the file
// is older than StaleAfterSeconds, which is far longer than any change of
// the journal takes.
class JournalLockFile
{
public:
    static constexpr int StaleAfterSeconds = 60;

    // The lock file of the journal at journalPath.
    explicit JournalLockFile(const QString& journalPath);
    // Gives the lock back if held, errors ignored.
    ~JournalLockFile();

    JournalLockFile(const JournalLockFile&) = delete;
    JournalLockFile& operator=(const JournalLockFile&) = delete;

    // One attempt: true when the lock is had, false when a live holder
    // has it (a stale file is broken on the way). A lock file that cannot
    // be made for another reason throws EInOutError.
    bool tryAcquire();
    // Removes the lock file when it is still this one's: a file broken as
    // stale and made anew by another program is left to it.
    void release();
    bool held() const { return Held; }

    const QString& path() const { return Path; }
    static QString pathFor(const QString& journalPath);
    // The lock folder of the journal at journalPath, "Students.DAT.locks"
    // beside it: the one folder of a class's lab folder that every student
    // may write, where the lock files are made and broken.
    static QString folderFor(const QString& journalPath);

    // What this process writes into a lock file: one "key=value" line each
    // for host, boot, pid, start and time.
    static QByteArray holderText();

private:
    // One try at making the lock file: 1 made, 0 another has it, -1
    // interrupted.
    int make(const QByteArray& path);
    int makeInPlace(const QByteArray& path, const QByteArray& text);
    bool breakIfStale();

    QString Path;
    bool Held = false;
    dev_t Device = 0; // of the file made, to tell it from a successor
    ino_t Inode = 0;
};
