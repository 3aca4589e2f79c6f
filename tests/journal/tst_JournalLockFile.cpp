// The journal's lock file, in the journal's lock folder: on a file system
// that refuses record locks it is the lock; its holder is judged by what
// the file says and by its time on the file server's clock, broken only
// when stale; a holder writes only while the lock still carries its token.
// The program runs with the record-lock refusal loaded (LD_PRELOAD);
// OPLAB_REFUSE_LOCKS picks the error.
#include "support/FakeClock.h"
#include "support/JournalFixture.h"
#include "support/ScratchJournal.h"
#include "support/OtherAccount.h"

#include "platform/Exception.h"
#include "journal/Journal.h"
#include "journal/JournalBusy.h"
#include "journal/JournalLock.h"
#include "journal/JournalLockFile.h"
#include "journal/Registration.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace fixture;

namespace {

const QString Name = QStringLiteral("Students.DAT");
const QString LockName = JournalLockFile::pathFor(Name);
const QString Folder = JournalLockFile::folderFor(Name);

// A holder's text: this process's own, with the given lines changed.
QByteArray holderText(const QList<QPair<QByteArray, QByteArray>>& changes)
{
    QByteArray text = JournalLockHolder::self("0123456789abcdef", 20000).text();
    for (const auto& [key, value] : changes) {
        const qsizetype at = text.indexOf("\n" + key + "=") + 1;
        text.replace(at, text.indexOf('\n', at) - at, key + "=" + value);
    }
    return text;
}

// A process id that was used a moment ago and is free now.
QByteArray endedPid()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return QByteArray::number(pid);
}

void writeAged(const QString& path, const QByteArray& text, long ageSeconds)
{
    QDir().mkpath(Folder);
    writeFile(path, text);
    const timespec times[2] = { { ::time(nullptr) - ageSeconds, 0 }, { ::time(nullptr) - ageSeconds, 0 } };
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
}

void writeLockFile(const QByteArray& text, long ageSeconds)
{
    writeAged(LockName, text, ageSeconds);
}

QString registerOnce(Journal& journal, const QString& code)
{
    try {
        Registration(QStringLiteral("Студент"), code, journal).run();
    } catch (const Exception& e) {
        return e.message();
    }
    return QString();
}

} // namespace

class tst_JournalLockFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyRefusalFallsBackToTheLockFile_data();
    void everyRefusalFallsBackToTheLockFile();
    void lockFileOfAnotherHolder_data();
    void lockFileOfAnotherHolder();
    void aHolderWritesOnlyWhileItCarriesItsToken();
    void aReaderThatMayNotLockReadsWithoutALock();

private:
    ScratchJournal Scratch;
};

void tst_JournalLockFile::init()
{
    QVERIFY(Scratch.fresh());
    QVERIFY(Scratch.enter());
    qputenv("OPLAB_REFUSE_LOCKS", "ENOLCK");
}

void tst_JournalLockFile::cleanup()
{
    qunsetenv("OPLAB_REFUSE_LOCKS");
    Scratch.leave();
}

void tst_JournalLockFile::everyRefusalFallsBackToTheLockFile_data()
{
    QTest::addColumn<QByteArray>("error");
    QTest::newRow("no lock service") << QByteArray("ENOLCK");
    QTest::newRow("not supported") << QByteArray("EOPNOTSUPP");
    QTest::newRow("invalid") << QByteArray("EINVAL");
}

void tst_JournalLockFile::everyRefusalFallsBackToTheLockFile()
{
    QFETCH(QByteArray, error);
    qputenv("OPLAB_REFUSE_LOCKS", error);
    writeFile(Name, record(QStringLiteral("А"), "1"));
    FakeClock clock;
    Journal journal(Name, clock);
    journal.open();
    {
        // The lock is the file in the lock folder, naming this program
        // under a token of its own; nested locks keep it.
        JournalLock outer(journal);
        const JournalLockHolder held = JournalLockHolder::parse(readFile(LockName));
        QCOMPARE(held.Pid, ::getpid());
        QCOMPARE(held.Token.size(), 32);
        QVERIFY(held.onThisComputer());
        journal.WriteStudent();
        QVERIFY(QFile::exists(LockName));
    }
    QCOMPARE(QDir(Folder).entryList(QDir::Files | QDir::Hidden), QStringList());

    // Another computer in the middle of its registration: the busy text
    // after the whole wait, naming the computer, nothing written; a
    // second press works.
    writeLockFile(holderText({ { "host", "bench-02" }, { "boot", "x" } }), 0);
    const QString busy = registerOnce(journal, QStringLiteral("2"));
    QVERIFY2(busy.startsWith(JournalLock::busyText() + QStringLiteral("\nЖурнал держит компьютер «bench-02»")),
             qPrintable(busy));
    QCOMPARE(clock.Slept, 5000);
    QCOMPARE(readFile(Name).size(), 73);
    QFile::remove(LockName);
    QCOMPARE(registerOnce(journal, QStringLiteral("2")), QString());
    QCOMPARE(readFile(Name).size(), 2 * 73);
    QVERIFY(!QFile::exists(LockName));
}

void tst_JournalLockFile::lockFileOfAnotherHolder_data()
{
    QTest::addColumn<QByteArray>("holder");
    QTest::addColumn<long>("age"); // seconds since the lock was last renewed
    QTest::addColumn<QString>("busy"); // what the busy text says of it; empty: broken

    const QByteArray parent = QByteArray::number(::getppid());
    const auto other = [](const QByteArray& lease) {
        return holderText({ { "host", "bench-02" }, { "boot", "x" }, { "lease", lease } });
    };
    QTest::newRow("another computer, just renewed") << other("20000") << 0L << QStringLiteral("компьютер «bench-02»");
    QTest::newRow("another computer, not renewed for its lease") << other("20000") << 21L << QString();
    QTest::newRow("another computer with a longer lease, within it") << other("60000") << 30L << QStringLiteral("«bench-02»");
    QTest::newRow("a process here that ended") << holderText({ { "pid", endedPid() }, { "start", "-1" } }) << 0L << QString();
    QTest::newRow("a process here that runs, however long ago")
        << holderText({ { "pid", parent }, { "start", "-1" } }) << 3600L
        << QStringLiteral("программа этого компьютера (процесс %1)").arg(QString::fromLatin1(parent));
    QTest::newRow("its process id taken by a later process") << holderText({ { "pid", parent }, { "start", "1" } }) << 0L
                                                            << QString();
    QTest::newRow("this computer's name, another start, just renewed")
        << holderText({ { "boot", "x" }, { "pid", parent } }) << 0L << QStringLiteral("компьютер");
    QTest::newRow("another process id namespace here, just renewed")
        << holderText({ { "pidns", "pid:[1]" }, { "pid", endedPid() } }) << 0L << QStringLiteral("компьютер");
    QTest::newRow("empty: its holder about to name itself") << QByteArray() << 0L << QStringLiteral("другой компьютер");
    QTest::newRow("empty and old") << QByteArray() << 300L << QString();
}

void tst_JournalLockFile::lockFileOfAnotherHolder()
{
    QFETCH(QByteArray, holder);
    QFETCH(long, age);
    QFETCH(QString, busy);
    writeLockFile(holder, age);
    // Own files of two programs killed before they named their lock: one
    // long ago, one a moment ago.
    const QString longAgo = QStringLiteral("lock.00000000000000000000000000000000");
    const QString moment = QStringLiteral("lock.11111111111111111111111111111111");
    writeAged(Folder + QLatin1Char('/') + longAgo, QByteArray(), 1000);
    writeAged(Folder + QLatin1Char('/') + moment, QByteArray(), 0);
    FakeClock clock;
    Journal journal(Name, clock);
    const QString said = registerOnce(journal, QStringLiteral("5"));
    QCOMPARE(said.isEmpty(), busy.isEmpty());
    QVERIFY2(said.contains(busy), qPrintable(said));
    QCOMPARE(readFile(Name).size(), busy.isEmpty() ? 73 : 0);
    // A broken lock is gone with this program's own, and the break swept
    // away what no running program can have left; a live one stands as
    // it was, and so does all the rest.
    if (busy.isEmpty()) {
        QCOMPARE(QDir(Folder).entryList(QDir::Files | QDir::Hidden), QStringList { moment });
    } else {
        QCOMPARE(QDir(Folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList { QStringLiteral("lock"), longAgo, moment }));
        QCOMPARE(readFile(LockName), holder);
    }
}

void tst_JournalLockFile::aHolderWritesOnlyWhileItCarriesItsToken()
{
    writeFile(Name, record(QStringLiteral("А"), "1"));
    FakeClock clock;
    Journal journal(Name, clock);
    journal.open();
    const QByteArray other = holderText({ { "token", "ffffffffffffffffffffffffffffffff" }, { "host", "bench-02" },
                                          { "boot", "x" } });
    {
        JournalLock lock(journal);
        // Broken as stale meanwhile and taken by another computer: the
        // next write finds out and writes nothing.
        writeLockFile(other, 0);
        QVERIFY_THROWS_EXCEPTION(JournalBusy, journal.WriteStudent());
        QCOMPARE(readFile(Name), record(QStringLiteral("А"), "1"));
        // Giving the lock back leaves the other's lock where it is.
        lock.release();
    }
    QCOMPARE(readFile(LockName), other);
}

void tst_JournalLockFile::aReaderThatMayNotLockReadsWithoutALock()
{
    // The instructor's reading of a journal in a folder the account may
    // not write, with record locks refused: read without a lock, and no
    // record lock is given back that was never had.
    if (!OtherAccount::available())
        QSKIP(OtherAccount::unavailableText());
    QVERIFY(::chmod(QFile::encodeName(Scratch.path()).constData(), 0755) == 0);
    writeFile(Name, record(QStringLiteral("А"), "1") + record(QStringLiteral("Б"), "2"));
    const QString path = QDir::current().absoluteFilePath(Name);
    const int status = OtherAccount::student(OtherAccount::FirstStudent).run([&] {
        Journal journal(path);
        int seen = 0;
        try {
            journal.readAll([](std::int64_t) {}, [&](std::int64_t, const StudentRecord&) { ++seen; });
        } catch (const Exception& e) {
            qWarning("%s", qPrintable(e.message()));
            return 1;
        }
        return seen == 2 ? 0 : 2;
    });
    QCOMPARE(status, 0);
    QVERIFY(!QFileInfo::exists(Folder));
}

QTEST_GUILESS_MAIN(tst_JournalLockFile)
#include "tst_JournalLockFile.moc"
