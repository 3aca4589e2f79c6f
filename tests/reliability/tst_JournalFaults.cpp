// Writers of the journal stopped abruptly, and a full disk. Registrations
// (oplab-data journal register) and finished measurements (the
// measurement-writer program) run at once as separate processes and are
// killed with SIGKILL at random moments. Afterwards the journal holds
// whole, readable records only (apart from a partial trailing record that
// the next registration overwrites), and every write a writer reported as
// completed before it was killed. A file-size limit on a writer stands in
// for a full disk: the write fails with "Disk full" and every record
// already written stays as it was. The kills run with record locks and
// on a file system that refuses them, where a killed writer leaves its
// lock file behind for the next one to break.
#include "support/JournalFixture.h"

#include "journal/JournalLockFile.h"
#include "JournalImage.h"
#include "WriterProcesses.h"

#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

const QString Tool = QStringLiteral(OPLAB_DATA_TOOL);
const QString Measure = QStringLiteral(MEASUREMENT_WRITER);

WriterRun registration(const QString& journal, const QByteArray& code, const QString& fio, int killAfterMs = -1)
{
    WriterRun run;
    run.Program = Tool;
    run.Args = QStringList { QStringLiteral("journal"), QStringLiteral("register"), journal,
                             QString::fromLatin1(code), fio };
    run.KillAfterMs = killAfterMs;
    return run;
}

WriterRun measurements(const QString& journal, const QList<QByteArray>& codes, int from = 1, int killAfterMs = -1)
{
    WriterRun run;
    run.Program = Measure;
    run.Args = QStringList { journal, QStringLiteral("--pause-ms"), QStringLiteral("1"), QStringLiteral("--from"),
                             QString::number(from) };
    for (const QByteArray& code : codes)
        run.Args << QString::fromLatin1(code);
    run.KillAfterMs = killAfterMs;
    return run;
}

// A registration reports its record once it has been written; a killed
// one that printed nothing may or may not have written it.
bool reportedRegistered(const WriterRun& run)
{
    const QString out = QString::fromUtf8(run.Out);
    return out.startsWith(QStringLiteral("новая запись")) || out.startsWith(QStringLiteral("найдена запись"));
}

// The (code, measurement) pairs a measurement writer reported written.
QList<QPair<QByteArray, int>> reportedMeasurements(const WriterRun& run)
{
    QList<QPair<QByteArray, int>> out;
    static const QRegularExpression line(QStringLiteral("^done (\\S+) (\\d)$"), QRegularExpression::MultilineOption);
    auto it = line.globalMatch(QString::fromUtf8(run.Out));
    while (it.hasNext()) {
        const auto m = it.next();
        out << qMakePair(m.captured(1).toLatin1(), m.captured(2).toInt());
    }
    return out;
}

int elapsedOf(WriterRun run)
{
    QElapsedTimer timer;
    timer.start();
    if (!WriterProcesses::run(run, 60000) || run.ExitCode != 0)
        qFatal("%s did not run: %s", qPrintable(run.Program), run.Err.constData());
    return int(timer.elapsed());
}

} // namespace

class tst_JournalFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void killedWritersLeaveWholeRecordsAndEveryCompletedWrite_data();
    void killedWritersLeaveWholeRecordsAndEveryCompletedWrite();
    void fullDiskFailsTheRegistrationAndKeepsTheRecords_data();
    void fullDiskFailsTheRegistrationAndKeepsTheRecords();
    void fullDiskOnAFirstRegistration();

private:
    QByteArray student(int i) const;

    QTemporaryDir Dir;
    QString Path;
};

void tst_JournalFaults::init()
{
    QVERIFY(Dir.isValid());
    Path = Dir.filePath(QStringLiteral("Students.DAT"));
    QFile::remove(Path);
}

QByteArray tst_JournalFaults::student(int i) const
{
    return record(QStringLiteral("Студент %1").arg(i), QByteArray::number(500 + i), "8", StudentRecord::VerdictPassed);
}

void tst_JournalFaults::killedWritersLeaveWholeRecordsAndEveryCompletedWrite_data()
{
    QTest::addColumn<bool>("lockFile");
    QTest::newRow("record locks") << false;
    QTest::newRow("lock file") << true;
}

void tst_JournalFaults::killedWritersLeaveWholeRecordsAndEveryCompletedWrite()
{
    QFETCH(bool, lockFile);
    // The writers inherit the refusal of record locks.
    const QByteArray asan = qgetenv("ASAN_OPTIONS");
    const auto restore = qScopeGuard([asan] {
        qunsetenv("LD_PRELOAD");
        qunsetenv("OPLAB_REFUSE_LOCKS");
        qputenv("ASAN_OPTIONS", asan);
    });
    if (lockFile) {
        qputenv("LD_PRELOAD", REFUSE_LOCKS);
        qputenv("OPLAB_REFUSE_LOCKS", "ENOLCK");
        qputenv("ASAN_OPTIONS", asan + ":verify_asan_link_order=0");
    }

    // Twelve students who passed the test and stand at the bench, two
    // benches of six.
    constexpr int Students = 12;
    QByteArray start;
    for (int i = 0; i < Students; ++i)
        start += student(i);
    writeFile(Path, start);
    const JournalImage before(start);

    // The kills fall anywhere in a writer's life: before it opened the
    // journal, during its lookup, at its write, after it.
    const int registerMs = elapsedOf(registration(Path, "1", QStringLiteral("Проба")));
    const int measureMs = elapsedOf(measurements(Path, { "500" }));
    writeFile(Path, start);

    QRandomGenerator random(20240611);
    constexpr int Rounds = 60;
    QList<WriterProcesses::Lane> all;
    QHash<QByteArray, QString> registered; // code -> name, of every registration tried
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < Rounds; ++round) {
        QList<WriterProcesses::Lane> lanes;
        for (int lane = 0; lane < 3; ++lane) {
            const QByteArray code = QByteArray::number(1000 + round * 10 + lane);
            const QString fio = QStringLiteral("Новый %1").arg(QString::fromLatin1(code));
            registered.insert(code, fio);
            lanes << WriterProcesses::Lane { registration(Path, code, fio, int(random.bounded(registerMs * 3 / 2 + 1))) };
        }
        // Every round someone registers the code 777 as well.
        registered.insert("777", QStringLiteral("Общий"));
        lanes << WriterProcesses::Lane { registration(Path, "777", QStringLiteral("Общий"),
                                                      int(random.bounded(registerMs * 3 / 2 + 1))) };
        for (int bench = 0; bench < 2; ++bench) {
            const QByteArray code = QByteArray::number(500 + bench * 6 + int(random.bounded(6)));
            lanes << WriterProcesses::Lane { measurements(Path, { code }, 1 + int(random.bounded(6)),
                                                          int(random.bounded(measureMs * 3 / 2 + 1))) };
        }
        QVERIFY(WriterProcesses::run(lanes, 120000));
        all += lanes;
    }
    const qint64 elapsed = timer.elapsed();

    int runs = 0, killed = 0, completed = 0;
    QSet<QByteArray> mustBeThere;
    QMultiHash<QByteArray, int> flagsWritten;
    for (const auto& lane : all)
        for (const WriterRun& run : lane) {
            ++runs;
            killed += run.Killed;
            // A writer that ended by itself ended well.
            QVERIFY2(run.Killed || run.ExitCode == 0, run.Err.constData());
            if (run.Program == Tool && reportedRegistered(run)) {
                mustBeThere.insert(run.Args[3].toLatin1());
                ++completed;
            }
            for (const auto& [code, k] : reportedMeasurements(run)) {
                flagsWritten.insert(code, k);
                ++completed;
            }
        }

    const JournalImage after(readFile(Path));
    qInfo("%d writers in %d rounds (%d killed), %d writes reported complete, %lld ms; journal: %zu records, "
          "partial tail %lld bytes",
          runs, Rounds, killed, completed, elapsed, after.records().size(), qlonglong(after.partialBytes()));
    QVERIFY2(after.faults().isEmpty(), qPrintable(after.faults().join(QLatin1Char('\n'))));
    QVERIFY2(after.duplicates().isEmpty(), qPrintable(after.duplicates().join(QLatin1Char('\n'))));

    // The students at the bench: still first, with every reported flag.
    for (int i = 0; i < Students; ++i) {
        const StudentRecord& r = after.records()[size_t(i)];
        const QString fault = JournalImage::measuredFault(r, before.records()[size_t(i)]);
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("record %1: %2").arg(i).arg(fault)));
        for (const int k : flagsWritten.values(r.Shifr.bytes()))
            QVERIFY2(r.done(k).equals(StudentRecord::FlagDone),
                     qPrintable(QStringLiteral("record %1 lost measurement %2").arg(i).arg(k)));
    }
    // Every registration reported is there once; every record after the
    // students is a whole new student of some registration.
    for (const QByteArray& code : mustBeThere)
        QVERIFY2(after.indexesOf(code).size() == 1, code.constData());
    for (size_t i = Students; i < after.records().size(); ++i) {
        const QByteArray code = after.records()[i].Shifr.bytes();
        QVERIFY2(registered.contains(code), code.constData());
        const QString fault = JournalImage::newStudentFault(after.records()[i], registered.value(code), code);
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("record %1: %2").arg(i).arg(fault)));
    }

    // The next registration writes over a partial tail, if one was left,
    // and the instructor's check finds the journal sound.
    WriterRun next = registration(Path, "999", QStringLiteral("Последний"));
    QVERIFY(WriterProcesses::run(next, 60000));
    QCOMPARE(next.ExitCode, 0);
    WriterRun check;
    check.Program = Tool;
    check.Args = QStringList { QStringLiteral("journal"), QStringLiteral("check"), Path };
    QVERIFY(WriterProcesses::run(check, 60000));
    QVERIFY2(check.ExitCode == 0, check.Out.constData());
    QCOMPARE(readFile(Path).size(), qsizetype(after.records().size() + 1) * 73);
    // Lock files of killed writers were broken. A writer killed while it
    // named its lock may leave its own small file in the lock folder,
    // never the lock.
    QCOMPARE(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("Students.DAT") });
    for (const QString& name : QDir(JournalLockFile::folderFor(Path)).entryList(QDir::Files | QDir::Hidden))
        QVERIFY2(name != QLatin1String("lock"), qPrintable(name));
}

void tst_JournalFaults::fullDiskFailsTheRegistrationAndKeepsTheRecords_data()
{
    // Room left on the disk for the new record: none, part of it.
    QTest::addColumn<int>("room");
    QTest::newRow("no room") << 0;
    QTest::newRow("30 bytes") << 30;
    QTest::newRow("72 bytes") << 72;
}

void tst_JournalFaults::fullDiskFailsTheRegistrationAndKeepsTheRecords()
{
    QFETCH(int, room);
    const QByteArray start = student(0) + student(1) + student(2);
    writeFile(Path, start);

    WriterRun full = registration(Path, "42", QStringLiteral("Новиков"));
    full.FileSizeLimit = start.size() + room;
    QVERIFY(WriterProcesses::run(full, 60000));
    QCOMPARE(full.ExitCode, 2);
    QCOMPARE(QString::fromUtf8(full.Err).trimmed(), QStringLiteral("oplab-data: %1: Disk full").arg(Path));
    const QByteArray left = readFile(Path);
    QCOMPARE(left.left(start.size()), start);
    QVERIFY(left.size() <= start.size() + room);

    // Measurements finished on the full disk write in place: they need no
    // room.
    WriterRun bench = measurements(Path, { "501" });
    bench.FileSizeLimit = start.size() + room;
    QVERIFY(WriterProcesses::run(bench, 60000));
    QCOMPARE(bench.ExitCode, 0);
    QCOMPARE(reportedMeasurements(bench).size(), 6);

    // With room again the registration goes through, over what the failed
    // one left.
    QVERIFY(WriterProcesses::run(full = registration(Path, "42", QStringLiteral("Новиков")), 60000));
    QCOMPARE(full.ExitCode, 0);
    const JournalImage after(readFile(Path));
    QCOMPARE(after.records().size(), size_t(4));
    QCOMPARE(after.partialBytes(), 0);
    QVERIFY(after.faults().isEmpty());
    QCOMPARE(bytesOf(after.records()[0]), student(0));
    QCOMPARE(bytesOf(after.records()[2]), student(2));
    QVERIFY(after.records()[1].WorkMark.equals(StudentRecord::WorkDone));
    QCOMPARE(JournalImage::newStudentFault(after.records()[3], QStringLiteral("Новиков"), "42"), QString());
}

void tst_JournalFaults::fullDiskOnAFirstRegistration()
{
    // The journal is created, the record does not fit: an empty journal
    // is left, which the next registration fills.
    WriterRun full = registration(Path, "42", QStringLiteral("Новиков"));
    full.FileSizeLimit = 0;
    QVERIFY(WriterProcesses::run(full, 60000));
    QCOMPARE(full.ExitCode, 2);
    QVERIFY(full.Err.contains("Disk full"));
    QCOMPARE(readFile(Path), QByteArray());

    QVERIFY(WriterProcesses::run(full = registration(Path, "42", QStringLiteral("Новиков")), 60000));
    QCOMPARE(full.ExitCode, 0);
    QCOMPARE(readFile(Path), record(QStringLiteral("Новиков"), "42"));
}

QTEST_GUILESS_MAIN(tst_JournalFaults)
#include "tst_JournalFaults.moc"
