// Many programs sharing one journal, as the benches of a lab share one on
// a network folder: registrations of distinct codes and of one code, while
// measurements are finished on the students' own records and the
// instructor checks the journal. Nothing is lost, nothing doubled, every
// record stays whole. The figures are printed with the result.
#include "support/JournalFixture.h"
#include "JournalImage.h"
#include "WriterProcesses.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

const QString Tool = QStringLiteral(OPLAB_DATA_TOOL);
const QString Measure = QStringLiteral(MEASUREMENT_WRITER);

constexpr int DistinctLanes = 8;
constexpr int DistinctEach = 50;
constexpr int SharedLanes = 4;
constexpr int SharedEach = 25;
constexpr int Benches = 6;
constexpr int BenchRuns = 5;   // each finishing all six measurements of two students
constexpr int Checks = 40;
const QByteArray SharedCode = "4242";

QByteArray benchStudent(int i)
{
    return record(QStringLiteral("Стенд %1").arg(i), QByteArray::number(500 + i), "9", StudentRecord::VerdictPassed);
}

WriterRun tool(const QStringList& args)
{
    WriterRun run;
    run.Program = Tool;
    run.Args = QStringList { QStringLiteral("journal") } + args;
    return run;
}

} // namespace

class tst_JournalLoad : public QObject
{
    Q_OBJECT

private slots:
    void manyWritersShareOneJournal();

private:
    QTemporaryDir Dir;
};

void tst_JournalLoad::manyWritersShareOneJournal()
{
    QVERIFY(Dir.isValid());
    const QString path = Dir.filePath(QStringLiteral("Students.DAT"));
    QByteArray start;
    for (int i = 0; i < 2 * Benches; ++i)
        start += benchStudent(i);
    writeFile(path, start);
    const JournalImage before(start);

    QList<WriterProcesses::Lane> lanes;
    for (int lane = 0; lane < DistinctLanes; ++lane) {
        WriterProcesses::Lane runs;
        for (int k = 0; k < DistinctEach; ++k)
            runs << tool({ QStringLiteral("register"), path, QString::number(2000 + lane * 100 + k),
                           QStringLiteral("Студент %1-%2").arg(lane).arg(k) });
        lanes << runs;
    }
    for (int lane = 0; lane < SharedLanes; ++lane) {
        WriterProcesses::Lane runs;
        for (int k = 0; k < SharedEach; ++k)
            runs << tool({ QStringLiteral("register"), path, QString::fromLatin1(SharedCode),
                           QStringLiteral("Общий %1").arg(lane) });
        lanes << runs;
    }
    for (int bench = 0; bench < Benches; ++bench) {
        WriterProcesses::Lane runs;
        for (int k = 0; k < BenchRuns; ++k) {
            WriterRun run;
            run.Program = Measure;
            run.Args = QStringList { path, QString::number(500 + 2 * bench), QString::number(501 + 2 * bench) };
            runs << run;
        }
        lanes << runs;
    }
    WriterProcesses::Lane checks;
    for (int k = 0; k < Checks; ++k)
        checks << tool({ QStringLiteral("check"), path });
    lanes << checks;

    // A program told the journal is busy has written nothing and says so;
    // on a loaded machine with this many programs at once that is an
    // honest outcome, and the program is run again as its user would.
    for (auto& lane : lanes)
        for (WriterRun& run : lane)
            run.AgainWhenBusy = true;

    QElapsedTimer timer;
    timer.start();
    QVERIFY(WriterProcesses::run(lanes, 280000));
    const qint64 elapsed = timer.elapsed();

    int processes = 0, added = 0, measured = 0, busy = 0;
    for (const auto& lane : lanes)
        for (const WriterRun& run : lane) {
            ++processes;
            busy += run.Busy;
            // Every program ended well: no lock given up, no check finding
            // a half-written record.
            QVERIFY2(run.ExitCode == 0,
                     qPrintable(run.Args.join(QLatin1Char(' ')) + QStringLiteral(": ") + QString::fromUtf8(run.Err + run.Out)));
            added += run.Out.startsWith("новая запись");
            measured += int(run.Out.count("done "));
        }
    const JournalImage after(readFile(path));
    const int expected = 2 * Benches + DistinctLanes * DistinctEach + 1;
    qInfo("%d processes (%d lanes at once): %d registrations (%d of one code), %d measurements written, "
          "%d checks; %lld ms; journal: %zu records; told busy and run again: %d",
          processes, int(lanes.size()), DistinctLanes * DistinctEach + SharedLanes * SharedEach,
          SharedLanes * SharedEach, measured, Checks, elapsed, after.records().size(), busy);

    QCOMPARE(added, DistinctLanes * DistinctEach + 1);
    QCOMPARE(measured, Benches * BenchRuns * 2 * 6);
    QCOMPARE(int(after.records().size()), expected);
    QCOMPARE(after.partialBytes(), 0);
    QVERIFY2(after.faults().isEmpty(), qPrintable(after.faults().join(QLatin1Char('\n'))));
    QVERIFY2(after.duplicates().isEmpty(), qPrintable(after.duplicates().join(QLatin1Char('\n'))));

    for (int i = 0; i < 2 * Benches; ++i) {
        const StudentRecord& r = after.records()[size_t(i)];
        QCOMPARE(JournalImage::measuredFault(r, before.records()[size_t(i)]), QString());
        QVERIFY(r.WorkMark.equals(StudentRecord::WorkDone));
    }
    for (int lane = 0; lane < DistinctLanes; ++lane)
        for (int k = 0; k < DistinctEach; ++k) {
            const QByteArray code = QByteArray::number(2000 + lane * 100 + k);
            const StudentRecord* r = after.find(code);
            QVERIFY2(r, code.constData());
            QCOMPARE(JournalImage::newStudentFault(*r, QStringLiteral("Студент %1-%2").arg(lane).arg(k), code), QString());
        }
    const StudentRecord* shared = after.find(SharedCode);
    QVERIFY(shared);
    QVERIFY(shared->FIO.text().startsWith(QStringLiteral("Общий ")));
    QCOMPARE(JournalImage::newStudentFault(*shared, shared->FIO.text(), SharedCode), QString());
}

QTEST_GUILESS_MAIN(tst_JournalLoad)
#include "tst_JournalLoad.moc"
