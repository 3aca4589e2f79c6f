// Several programs registering students in one journal at the same time,
// as the bench computers of a lab do on a shared folder: no record is
// lost, doubled or written over. Every test runs twice: with record locks,
// and on a file system that refuses them, where the lock file stands in.
#include "support/ForeignLock.h"
#include "support/JournalFixture.h"

#include "journal/JournalLockFile.h"

#include <QEventLoop>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace fixture;

namespace {

constexpr int Programs = 8;

// A lock on the journal that holds every program back at its lookup until
// it is given back: a record lock, or the lock file naming this (running)
// program.
class Barrier
{
public:
    Barrier(const QString& path, bool lockFile)
    {
        if (!lockFile) {
            Lock = std::make_unique<ForeignLock>(path);
            return;
        }
        LockFile = JournalLockFile::pathFor(path);
        QDir().mkpath(JournalLockFile::folderFor(path));
        writeFile(LockFile, JournalLockHolder::self(JournalLockHolder::newToken(), 20000).text());
    }
    ~Barrier() { release(); }

    void release()
    {
        if (Lock)
            Lock->unlock();
        if (!LockFile.isEmpty())
            QFile::remove(LockFile);
        LockFile.clear();
    }

private:
    std::unique_ptr<ForeignLock> Lock;
    QString LockFile;
};

// The programs' environment: with the lock file, on a file system that
// refuses record locks.
QProcessEnvironment environment(bool lockFile)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (lockFile) {
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(REFUSE_LOCKS));
        env.insert(QStringLiteral("OPLAB_REFUSE_LOCKS"), QStringLiteral("ENOLCK"));
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    }
    return env;
}

struct Outcome
{
    QStringList Failures; // registrations that did not end with status 0
    int Added = 0;        // registrations that reported a new record
    qsizetype HeldBack = -1; // the journal's size when the barrier was given back
};

// Runs the registrations of each lane one after another, all lanes at
// once. A barrier, when given, holds every program back at its lookup
// until it is given back, a while after all lanes have started, so that
// all of them look up at the same moment.
Outcome registerInLanes(const QString& journal, const QList<QList<QStringList>>& lanes, bool lockFile,
                        Barrier* barrier = nullptr)
{
    Outcome outcome;
    QStringList& failures = outcome.Failures;
    int running = int(lanes.size());
    QEventLoop loop;
    std::vector<std::unique_ptr<QProcess>> processes;
    std::function<void(int, int)> start = [&](int lane, int step) {
        if (step == lanes[lane].size()) {
            if (--running == 0)
                loop.quit();
            return;
        }
        auto* p = processes.emplace_back(std::make_unique<QProcess>()).get();
        const QStringList args = QStringList { QStringLiteral("journal"), QStringLiteral("register"), journal }
            + lanes[lane][step];
        QObject::connect(p, &QProcess::finished, p, [&, p, lane, step, args](int code, QProcess::ExitStatus status) {
            if (status != QProcess::NormalExit || code != 0)
                failures << args.join(QLatin1Char(' ')) + QStringLiteral(": ")
                        + QString::fromUtf8(p->readAllStandardError());
            else if (QString::fromUtf8(p->readAllStandardOutput()).startsWith(QStringLiteral("новая запись")))
                ++outcome.Added;
            start(lane, step + 1);
        });
        p->setProcessEnvironment(environment(lockFile));
        p->start(QStringLiteral(OPLAB_DATA_TOOL), args);
    };
    for (int lane = 0; lane < lanes.size(); ++lane)
        start(lane, 0);
    // Well within the programs' own wait of 5 seconds for the lock.
    if (barrier)
        QTimer::singleShot(1500, &loop, [&, barrier] {
            outcome.HeldBack = readFile(journal).size();
            barrier->release();
        });
    QTimer::singleShot(240000, &loop, [&] {
        failures << QStringLiteral("timed out");
        loop.quit();
    });
    loop.exec();
    return outcome;
}

} // namespace

class tst_JournalConcurrency : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void distinctCodesAreAllKept();
    void oneNewCodeIsAppendedOnce();

private:
    QTemporaryDir Dir;
};

void tst_JournalConcurrency::initTestCase_data()
{
    QTest::addColumn<bool>("lockFile");
    QTest::newRow("record locks") << false;
    QTest::newRow("lock file") << true;
}

void tst_JournalConcurrency::distinctCodesAreAllKept()
{
    QFETCH_GLOBAL(bool, lockFile);
    // The first registration of every program waits at a barrier, so that
    // eight programs start from the same empty journal at once.
    const QString path = Dir.filePath(QStringLiteral("distinct.dat"));
    writeFile(path, QByteArray());
    Barrier barrier(path, lockFile);
    QList<QList<QStringList>> lanes;
    for (int lane = 0; lane < Programs; ++lane) {
        QList<QStringList> steps;
        for (int k = 0; k < 50; ++k)
            steps << QStringList { QString::number(lane * 1000 + k), QStringLiteral("Студент %1-%2").arg(lane).arg(k) };
        lanes << steps;
    }
    const Outcome outcome = registerInLanes(path, lanes, lockFile, &barrier);
    QVERIFY2(outcome.Failures.isEmpty(), qPrintable(outcome.Failures.join(QLatin1Char('\n'))));
    QCOMPARE(outcome.HeldBack, 0); // the barrier's kind of lock held every program
    QCOMPARE(outcome.Added, 400);

    const QByteArray bytes = readFile(path);
    QCOMPARE(bytes.size(), 400 * 73);
    QSet<int> codes;
    for (int i = 0; i < 400; ++i) {
        const StudentRecord r = toRecord(bytes.mid(i * 73, 73));
        const int code = r.Shifr.text().toInt();
        QVERIFY2(!codes.contains(code), qPrintable(r.Shifr.text()));
        codes.insert(code);
        QCOMPARE(r.FIO.text(), QStringLiteral("Студент %1-%2").arg(code / 1000).arg(code % 1000));
        QVERIFY(r.Verdict.equals(StudentRecord::VerdictNew));
        QCOMPARE(r.Score.text(), QStringLiteral("0"));
        for (int k = 1; k <= 6; ++k)
            QVERIFY(r.done(k).equals(StudentRecord::FlagNotDone));
        QCOMPARE(r.WorkMark.Length, 0);
    }
    QVERIFY(!QFile::exists(JournalLockFile::pathFor(path)));
}

void tst_JournalConcurrency::oneNewCodeIsAppendedOnce()
{
    QFETCH_GLOBAL(bool, lockFile);
    // The first rounds start from a journal that does not exist yet, so
    // the programs also meet at its creation. In the later ones every
    // program is held back until all of them look up at once: a lookup
    // done outside the lock would let each of them write a new record at
    // the same place.
    const QString path = Dir.filePath(QStringLiteral("same.dat"));
    const QByteArray some = record(QStringLiteral("А"), "1") + record(QStringLiteral("Б"), "2");
    for (int round = 0; round < 6; ++round) {
        const bool fresh = round < 2;
        const QByteArray before = round < 3 ? QByteArray() : some;
        QFile::remove(path);
        if (!fresh)
            writeFile(path, before);
        std::unique_ptr<Barrier> barrier(fresh ? nullptr : new Barrier(path, lockFile));
        QList<QList<QStringList>> lanes;
        for (int lane = 0; lane < Programs; ++lane)
            lanes << QList<QStringList> { { QStringLiteral("0%1").arg(round), QStringLiteral("Программа %1").arg(lane) } };
        const Outcome outcome = registerInLanes(path, lanes, lockFile, barrier.get());
        QVERIFY2(outcome.Failures.isEmpty(), qPrintable(outcome.Failures.join(QLatin1Char('\n'))));
        // One program appended; the others found its record.
        QCOMPARE(outcome.Added, 1);
        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.size(), before.size() + 73);
        QCOMPARE(bytes.left(before.size()), before);
        QCOMPARE(toRecord(bytes.right(73)).Shifr.text(), QStringLiteral("0%1").arg(round));
    }
}

QTEST_GUILESS_MAIN(tst_JournalConcurrency)
#include "tst_JournalConcurrency.moc"
