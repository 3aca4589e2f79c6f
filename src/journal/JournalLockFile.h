#pragma once

#include "journal/JournalBusy.h"
#include "journal/JournalLockHolder.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// The lock file of a journal: the lock that every program writing the
// journal takes, beside the record lock where the file system has record
// locks and alone where it refuses them (a network folder without a lock
// service). It stands in the journal's lock folder, "Students.DAT.locks",
// the one folder of a class's lab folder that every student may write:
//
//   lock          the lock, while a program holds it
//   break         the lock of the one program breaking a stale lock
//   lock.TOKEN    a program's own file, named "lock" by a hard link
//   break.TOKEN   the same for "break"
//   aside.TOKEN   a lock moved aside to be removed
//
// A lock is a file of its holder's text (JournalLockHolder), made under
// a name of its own and then linked to "lock", which the file server does
// atomically: only one program at a time makes it, and it never exists
// without its holder's text. Each lock carries a random token; a lock is
// told from another by its token, read from the same open file as its
// time, never by its inode number, which a file system gives to the next
// file at once.
//
// The holder renews the lock's time every quarter of its lease while it
// holds it, and checks before every write that the lock still carries its
// token and that its lease has not run out (stillHeld). A lock is stale,
// and is broken, when its holder is a process of this computer that no
// longer runs, or, for a holder anywhere else, when its time was not
// renewed for the lease. That age is measured on the file server's clock:
// against the time of a file this program has just written in the lock
// folder, never against this computer's clock. A running process of this
// computer is never broken, however long it holds the lock.
//
// One program at a time breaks a stale lock, under the short lock
// "break": it judges the lock again, moves it aside and removes it only
// when what it moved carries the token it judged; a fresh lock moved by
// mistake is put back. A holder gives the lock back the same way, only
// while it still carries its own token.
class JournalLockFile
{
public:
    static constexpr int DefaultLeaseMs = 20000;

    // The lock file of the journal at journalPath, held under a lease of
    // leaseMs.
    explicit JournalLockFile(const QString& journalPath, int leaseMs = defaultLease());
    // Gives the lock back if held, errors ignored.
    ~JournalLockFile();

    JournalLockFile(const JournalLockFile&) = delete;
    JournalLockFile& operator=(const JournalLockFile&) = delete;

    // One attempt: true when the lock is had, false when a live holder has
    // it (a stale lock is broken on the way). The lock folder is made when
    // missing. A lock folder or file that cannot be made throws
    // EInOutError.
    bool tryAcquire();
    // Gives the lock back, when it still carries this lock's token.
    void release();
    bool held() const { return Held; }
    // Whether the lock is still this one's: its token in the lock file,
    // renewed within half its lease. A program writes only while it is.
    bool stillHeld();

    // The holder that the last attempt found, for the busy message.
    const JournalBusy::Holder& busyHolder() const { return LastHolder; }

    int lease() const { return LeaseMs; }
    const QByteArray& token() const { return Token; }
    const QString& path() const { return Path; }

    // The lock's path, "Students.DAT.locks/lock" beside the journal.
    static QString pathFor(const QString& journalPath);
    // The lock folder of the journal at journalPath, "Students.DAT.locks"
    // beside it: the one folder of a class's lab folder that every student
    // may write, where the lock files are made and broken.
    static QString folderFor(const QString& journalPath);
    // The lease of the programs: OPLAB_JOURNAL_LEASE_MS when set (the
    // tests shorten it so), else DefaultLeaseMs.
    static int defaultLease();

private:
    struct Judged;

    void makeFolder();
    timespec makeOwn(const QByteArray& path);
    bool linkOwn(const QByteArray& own, const QByteArray& name, int& err);
    bool makeInPlace(timespec& made);
    Judged judge(const QByteArray& path, const timespec& serverNow, int leaseMs);
    bool breakStale(const Judged& stale);
    bool removeIfStill(const QByteArray& path, const QByteArray& token, const timespec* time);
    void sweep(const timespec& serverNow);
    QByteArray name(const char* prefix) const;

    void startRenewal();
    void askRenewalToStop();
    void stopRenewal();
    void renewOnce();

    QString Path;
    QByteArray Folder;
    QByteArray LockPath;
    QByteArray BreakPath;
    int LeaseMs;
    QByteArray Token;
    bool Held = false;
    JournalBusy::Holder LastHolder;

    // The renewal, in a thread of its own while the lock is held: it goes
    // on while the program's own thread waits for the file server, and
    // stops with the whole process (a stopped or suspended computer).
    std::thread Renewer;
    std::mutex RenewMutex;
    std::condition_variable RenewWake;
    bool RenewStop = false;
    std::atomic<long long> RenewedAt {0}; // milliseconds of the boot clock
    std::atomic<bool> Lost {false};
};
