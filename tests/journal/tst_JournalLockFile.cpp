// The journal on a file system that refuses record locks: the lock file
// beside the journal stands in, the student sees the same busy message,
// and a lock file whose holder is gone is broken. The program runs with
// the record-lock refusal loaded (LD_PRELOAD); OPLAB_REFUSE_LOCKS picks
// the error.
#include "support/FakeClock.h"
#include "support/JournalFixture.h"

#include "platform/Exception.h"
#include "journal/Journal.h"
#include "journal/JournalLock.h"
#include "journal/JournalLockFile.h"
#include "journal/Registration.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace fixture;

namespace {

const QString Name = QStringLiteral("Students.DAT");
const QString LockName = QStringLiteral("Students.DAT.lock");

// The line of a holder text, as this program would write it.
QByteArray ownLine(const QByteArray& key)
{
    for (const QByteArray& line : JournalLockFile::holderText().split('\n'))
        if (line.startsWith(key + '='))
            return line + '\n';
    return QByteArray();
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

void writeLockFile(const QByteArray& text, long ageSeconds)
{
    writeFile(LockName, text);
    const timespec times[2] = { { ::time(nullptr) - ageSeconds, 0 }, { ::time(nullptr) - ageSeconds, 0 } };
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(LockName).constData(), times, 0) == 0);
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

private:
    QTemporaryDir Dir;
    QString Previous;
};

void tst_JournalLockFile::init()
{
    QVERIFY(Dir.isValid());
    Previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(Dir.path()));
    QFile::remove(Name);
    QFile::remove(LockName);
    qputenv("OPLAB_REFUSE_LOCKS", "ENOLCK");
}

void tst_JournalLockFile::cleanup()
{
    qunsetenv("OPLAB_REFUSE_LOCKS");
    QDir::setCurrent(Previous);
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
        // The lock is the file, naming this program; nested locks keep it.
        JournalLock outer(journal);
        const QByteArray held = readFile(LockName);
        QVERIFY(held.startsWith(ownLine("host") + ownLine("boot")));
        QVERIFY(held.contains("\npid=" + QByteArray::number(::getpid()) + "\n"));
        journal.WriteStudent();
        QVERIFY(QFile::exists(LockName));
    }
    QVERIFY(!QFile::exists(LockName));

    // Another computer in the middle of its registration: the busy text
    // after the whole wait, nothing written; a second press works.
    writeLockFile("host=bench-02\nboot=0\npid=77\n", 0);
    QCOMPARE(registerOnce(journal, QStringLiteral("2")), JournalLock::busyText());
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
    QTest::addColumn<long>("age");
    QTest::addColumn<bool>("broken");

    const QByteArray host = ownLine("host");
    const QByteArray boot = ownLine("boot");
    const QByteArray parent = "pid=" + QByteArray::number(::getppid()) + "\n";
    QTest::newRow("another computer, just made") << QByteArray("host=bench-02\nboot=x\npid=77\n") << 0L << false;
    QTest::newRow("another computer, over a minute old") << QByteArray("host=bench-02\nboot=x\npid=77\n") << 61L << true;
    QTest::newRow("a process here that ended") << host + boot + "pid=" + endedPid() + "\n" << 0L << true;
    QTest::newRow("a process here that runs") << host + boot + parent << 0L << false;
    QTest::newRow("its process id taken by a later process") << host + boot + parent + "start=1\n" << 0L << true;
    QTest::newRow("this computer's name, another start, just made") << host + "boot=x\npid=77\n" << 0L << false;
    QTest::newRow("empty: its holder about to name itself") << QByteArray() << 0L << false;
    QTest::newRow("empty and old") << QByteArray() << 300L << true;
}

void tst_JournalLockFile::lockFileOfAnotherHolder()
{
    QFETCH(QByteArray, holder);
    QFETCH(long, age);
    QFETCH(bool, broken);
    writeLockFile(holder, age);
    FakeClock clock;
    Journal journal(Name, clock);
    QCOMPARE(registerOnce(journal, QStringLiteral("5")), broken ? QString() : JournalLock::busyText());
    QCOMPARE(readFile(Name).size(), broken ? 73 : 0);
    // A broken lock is gone with this program's own; a live one stands.
    QCOMPARE(QFile::exists(LockName), !broken);
    if (!broken)
        QCOMPARE(readFile(LockName), holder);
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).size(), broken ? 1 : 2);
}

QTEST_GUILESS_MAIN(tst_JournalLockFile)
#include "tst_JournalLockFile.moc"
