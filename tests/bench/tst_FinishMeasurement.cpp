// A finished measurement in the journal: the student's record updated in
// place, the completion of the whole work, a measurement finished again,
// and a journal that cannot be written at that moment.
#include "support/JournalFixture.h"
#include "support/WindowDriver.h"

#include "journal/StudentRecord.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "app/Unit1.h"

#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace fixture;

namespace {

const QString GainDone = QStringLiteral("information: Коэффициент усиления определен.");
const QString OffsetDone = QStringLiteral("information: Напряжение смещения определено.");
const QString RejectionDone = QStringLiteral("information: Коэффициент ослабления синфазного сигнала измерен.");
const QString WorkDone = QStringLiteral("information: Лабораторная работа выполнена.");

constexpr int RecordSize = int(sizeof(StudentRecord));

// The gain, finished in the run of S7's handler nested in its own click:
// S7 held on Uвх at 70, then turned to Uвых at 75.
void measureGainOnTheSpringBack(WindowDriver& bench)
{
    bench.powerOnFor(1, 6);
    bench.balance();
    bench.setSwitch(1, true);
    bench.moveInput(70);
    bench.setSwitch(7, false);
    bench.moveInput(75);
    bench.click(bench.sw(7));
}

// The record of a student after a passed test: the score and verdict
// stored over the old ones, the bytes behind them kept.
QByteArray afterPassedTest(QByteArray record)
{
    record.replace(int(offsetof(StudentRecord, Score)), 3, QByteArray("\x02" "10", 3));
    const QByteArray verdict = char(StudentRecord::VerdictPassed.size()) + StudentRecord::VerdictPassed;
    record.replace(int(offsetof(StudentRecord, Verdict)), int(verdict.size()), verdict);
    return record;
}

QByteArray withFlag(QByteArray record, int k, char flag)
{
    record[int(offsetof(StudentRecord, Done1)) + 2 * (k - 1) + 1] = flag;
    return record;
}

} // namespace

class tst_FinishMeasurement : public QObject
{
    Q_OBJECT

private slots:
    void writesTheStudentsRecordInPlace();
    void sixthMeasurementCompletesTheWork();
    void measurementFinishedAgainIsWrittenAgain();
    void journalWriteFailure_data();
    void journalWriteFailure();
};

void tst_FinishMeasurement::writesTheStudentsRecordInPlace()
{
    WindowDriver bench;
    const QByteArray first = record("Андреев А.А.", "11", "9", StudentRecord::VerdictPassed, "+-+---");
    const QByteArray mine = record("Иванов И.И.", "42", "3", StudentRecord::VerdictFailed, "------");
    const QByteArray last = record("Яковлев Я.Я.", "77");
    writeFile(bench.file("Students.DAT"), first + mine + last);
    QVERIFY(bench.reachBench("Иванов И.И.", "42"));
    const QByteArray passed = afterPassedTest(mine);
    QCOMPARE(bench.journalBytes(), first + passed + last);

    bench.powerOnFor(1, 0);
    bench.setSwitch(1, true);
    bench.moveInput(72);
    bench.setSwitch(7, false);
    QCOMPARE(bench.Dialogs.take(), QStringList {GainDone});
    QCOMPARE(bench.journalBytes(), first + withFlag(passed, 1, '+') + last);

    // The journal stays on the record: the next measurement goes there too.
    bench.measureOffsetVoltage();
    QCOMPARE(bench.Dialogs.take(), QStringList {OffsetDone});
    QCOMPARE(bench.journalBytes(), first + withFlag(withFlag(passed, 1, '+'), 2, '+') + last);
}

void tst_FinishMeasurement::sixthMeasurementCompletesTheWork()
{
    WindowDriver bench;
    const QByteArray mine = record("Иванов И.И.", "42", "8", StudentRecord::VerdictPassed, "+++++-");
    writeFile(bench.file("Students.DAT"), mine);
    QVERIFY(bench.reachBench("Иванов И.И.", "42"));

    bench.powerOnFor(6, 0);
    bench.setSwitch(1, true);
    bench.setSwitch(8, true);
    bench.setSwitch(9, true);
    bench.setSwitch(7, false);

    QCOMPARE(bench.Dialogs.take(), QStringList({RejectionDone, WorkDone}));
    QByteArray done = withFlag(afterPassedTest(mine), 6, '+');
    done.replace(int(offsetof(StudentRecord, WorkMark)), 10, "\x09" + cp("выполнена"));
    QCOMPARE(bench.journalBytes(), done);
    QCOMPARE(bench.workMark(), QString("выполнена"));
}

void tst_FinishMeasurement::measurementFinishedAgainIsWrittenAgain()
{
    WindowDriver bench;
    const QByteArray mine = record("Иванов И.И.", "42", "8", StudentRecord::VerdictPassed, "++++++",
                                   StudentRecord::WorkDone);
    writeFile(bench.file("Students.DAT"), mine);
    QVERIFY(bench.reachBench("Иванов И.И.", "42"));
    const QByteArray stored = afterPassedTest(mine);
    QCOMPARE(bench.journalBytes(), stored);

    bench.measureOffsetVoltage();
    QCOMPARE(bench.Dialogs.take(), QStringList({OffsetDone, WorkDone}));
    QCOMPARE(bench.journalBytes(), stored);

    // The flag taken off the file behind the program's back comes back
    // with the next write.
    writeFile(bench.file("Students.DAT"), withFlag(stored, 2, '-'));
    bench.measureOffsetVoltage();
    QCOMPARE(bench.Dialogs.take(), QStringList({OffsetDone, WorkDone}));
    QCOMPARE(bench.journalBytes(), stored);
}

void tst_FinishMeasurement::journalWriteFailure_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<bool>("nested");
    QTest::addColumn<QString>("error");
    QTest::newRow("disk full") << "full" << false << "error: Disk full";
    QTest::newRow("journal closed") << "closed" << false << "error: I/O error 103";
    // The failure in the handler run nested in S7's click is shown once.
    QTest::newRow("disk full, nested run") << "full" << true << "error: Disk full";
}

void tst_FinishMeasurement::journalWriteFailure()
{
    QFETCH(QString, breakage);
    QFETCH(bool, nested);
    QFETCH(QString, error);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    const QByteArray stored = bench.journalBytes();
    Journal& journal = bench.form().journal();
    if (breakage == "full") {
        // The journal's handle turned into a device that is always full.
        const int full = ::open("/dev/full", O_RDWR | O_CLOEXEC);
        QVERIFY(full >= 0);
        QVERIFY(::dup2(full, journal.file().handle()) >= 0);
        ::close(full);
    } else {
        journal.close();
    }

    if (nested)
        measureGainOnTheSpringBack(bench);
    else
        bench.measureOffsetVoltage();

    const int k = nested ? 1 : 2;
    QCOMPARE(bench.Dialogs.take(), QStringList({nested ? GainDone : OffsetDone, error}));
    // The switch-off is skipped; the flag stays set in memory.
    QVERIFY(bench.powerOn());
    QCOMPARE(bench.meterColour(1), QString("clLime"));
    QVERIFY(journal.student().done(k).equals(StudentRecord::FlagDone));
    QCOMPARE(bench.journalBytes(), stored);
}

QTEST_MAIN(tst_FinishMeasurement)
#include "tst_FinishMeasurement.moc"
