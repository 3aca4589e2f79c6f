// The benches of a lab registering students at once on a shared folder
// whose faults a preloaded library plays (share_faults, beside the refusal
// of record locks): each bench a computer of its own, pressing again when
// told that the journal is busy. Whatever the fault, every student is
// registered exactly once: none lost, none doubled, every record whole,
// over several runs. The lease is shortened so that a lock whose holder
// stopped is broken within a second.
#include "support/JournalFixture.h"
#include "JournalImage.h"
#include "WriterProcesses.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

const QString Tool = QStringLiteral(OPLAB_DATA_TOOL);

constexpr int Benches = 6;
constexpr int StudentsEach = 8;
constexpr int Runs = 3;
constexpr int LeaseMs = 600;

// Settings of every bench, of every second bench, and of the first run of
// the first bench only.
struct Faults
{
    QStringList Everyone;
    QStringList Half;
    QStringList FirstRun;
};

} // namespace

Q_DECLARE_METATYPE(Faults)

class tst_JournalLockFaults : public QObject
{
    Q_OBJECT

private slots:
    void everyStudentRegisteredOnce_data();
    void everyStudentRegisteredOnce();

private:
    QTemporaryDir Dir;
};

void tst_JournalLockFaults::everyStudentRegisteredOnce_data()
{
    QTest::addColumn<Faults>("faults");
    const QString refused = QStringLiteral("OPLAB_REFUSE_LOCKS=ENOLCK");
    QTest::newRow("record locks refused") << Faults { { refused }, {}, {} };
    QTest::newRow("every record write 20 ms slower")
        << Faults { { refused, QStringLiteral("OPLAB_SLOW_WRITES_MS=20") }, {}, {} };
    QTest::newRow("half the benches get record locks") << Faults { {}, { refused }, {} };
    QTest::newRow("half the clocks 90 s ahead") << Faults { { refused }, { QStringLiteral("OPLAB_CLOCK_AHEAD_S=90") }, {} };
    QTest::newRow("a bench stopped inside the lock, then woken")
        << Faults { { refused }, {}, { QStringLiteral("OPLAB_STOP_INSIDE_MS=%1").arg(3 * LeaseMs) } };
    QTest::newRow("inode numbers reused at once") << Faults { { refused, QStringLiteral("OPLAB_REUSE_INODES=1") }, {}, {} };
}

void tst_JournalLockFaults::everyStudentRegisteredOnce()
{
    QFETCH(Faults, faults);
    QVERIFY(Dir.isValid());
    const QStringList common = {
        QStringLiteral("LD_PRELOAD=%1 %2").arg(QStringLiteral(REFUSE_LOCKS), QStringLiteral(SHARE_FAULTS)),
        QStringLiteral("OPLAB_OTHER_COMPUTER=1"),
        QStringLiteral("OPLAB_JOURNAL_LEASE_MS=%1").arg(LeaseMs),
        QStringLiteral("ASAN_OPTIONS=%1:verify_asan_link_order=0").arg(qEnvironmentVariable("ASAN_OPTIONS")),
    };
    for (int run = 0; run < Runs; ++run) {
        const QString path = Dir.filePath(QStringLiteral("%1-%2.DAT").arg(QTest::currentDataTag()).arg(run));
        QList<WriterProcesses::Lane> lanes;
        for (int bench = 0; bench < Benches; ++bench) {
            WriterProcesses::Lane lane;
            for (int k = 0; k < StudentsEach; ++k) {
                WriterRun r;
                r.Program = Tool;
                r.Args = QStringList { QStringLiteral("journal"), QStringLiteral("register"), path,
                                       QString::number(1000 + 100 * bench + k),
                                       QStringLiteral("Студент %1-%2").arg(bench).arg(k) };
                r.Environment = common + faults.Everyone + (bench % 2 ? faults.Half : QStringList())
                    + (bench == 0 && k == 0 ? faults.FirstRun : QStringList());
                r.AgainWhenBusy = true;
                lane << r;
            }
            lanes << lane;
        }
        QElapsedTimer timer;
        timer.start();
        QVERIFY(WriterProcesses::run(lanes, 120000));

        int added = 0, busy = 0;
        for (const auto& lane : lanes)
            for (const WriterRun& r : lane) {
                QVERIFY2(r.ExitCode == 0, qPrintable(r.Args.join(QLatin1Char(' ')) + QStringLiteral(": ")
                                                     + QString::fromUtf8(r.Err)));
                added += r.Out.startsWith("новая запись");
                busy += r.Busy;
            }
        const JournalImage after(readFile(path));
        qInfo("run %d: %d registrations, %d told busy and pressed again, %lld ms; journal: %zu records",
              run + 1, Benches * StudentsEach, busy, timer.elapsed(), after.records().size());
        // The bench woken after its lock was broken was told so, and
        // pressed again.
        if (!faults.FirstRun.isEmpty())
            QCOMPARE(lanes[0][0].Busy, 1);
        QCOMPARE(added, Benches * StudentsEach);
        QCOMPARE(int(after.records().size()), Benches * StudentsEach);
        QCOMPARE(after.partialBytes(), 0);
        QVERIFY2(after.faults().isEmpty(), qPrintable(after.faults().join(QLatin1Char('\n'))));
        QVERIFY2(after.duplicates().isEmpty(), qPrintable(after.duplicates().join(QLatin1Char('\n'))));
        for (int bench = 0; bench < Benches; ++bench)
            for (int k = 0; k < StudentsEach; ++k) {
                const QByteArray code = QByteArray::number(1000 + 100 * bench + k);
                const StudentRecord* r = after.find(code);
                QVERIFY2(r, code.constData());
                QCOMPARE(JournalImage::newStudentFault(*r, QStringLiteral("Студент %1-%2").arg(bench).arg(k), code),
                         QString());
            }
    }
}

QTEST_GUILESS_MAIN(tst_JournalLockFaults)
#include "tst_JournalLockFaults.moc"
