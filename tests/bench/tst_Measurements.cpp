// The six measurement procedures as a student carries them out, each up to
// its last step: what the meters and result labels show, the done box, the
// bench switched off and the flag in the journal, and the positions in
// which the last step does not count.
#include "support/WindowDriver.h"

#include "platform/FormatSettings.h"
#include "widgets/controls/TImage.h"
#include "widgets/controls/TLabel.h"
#include "widgets/controls/TSpeedButton.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include <QtTest>

#include <initializer_list>
#include <utility>

namespace {

// Gain up to the last click: power on, balanced, S1's reading, the input
// level at q.
void prepareGain(WindowDriver& bench, int q)
{
    bench.firstReading(1, 25, 40);
    bench.moveInput(q);
}

// The rows of a reading table: the input level q and the reading it gives,
// once under each decimal separator.
void addReadingRows(std::initializer_list<std::pair<int, const char*>> rows)
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("q");
    QTest::addColumn<QString>("reading");
    for (const auto& [q, reading] : rows) {
        WindowDriver::addSeparatorRows(QByteArray::number(q).constData(),
                         [&](QTestData& data) { data << q << QString::fromLatin1(reading); });
    }
}

// A row of a reading table: its separator made the regional one, the
// input level, and the reading with a point written as that separator.
std::pair<int, QString> readingRow()
{
    QFETCH(QChar, separator);
    QFETCH(int, q);
    QFETCH(QString, reading);
    FormatSettings::setDecimalSeparator(separator);
    return {q, reading.replace(QLatin1Char('.'), separator)};
}

} // namespace

class tst_Measurements : public QObject
{
    Q_OBJECT

private slots:
    // Comma settings unless a test says otherwise.
    void init() { FormatSettings::setDecimalSeparator(QLatin1Char(',')); }

    void gain_data();
    void gain();
    void gainNeedsTheBalanceAtTheLastClick();
    void gainRecordedWhenS7SpringsBack();
    void offsetVoltage_data();
    void offsetVoltage();
    void offsetRecordedWhenS6SpringsBack();
    void inputCurrentsFinishWithoutBalance();
    void inputCurrentsFirstReadingNeedsBalance();
    void inputResistance_data();
    void inputResistance();
    void outputResistance_data();
    void outputResistance();
    void commonModeRejection_data();
    void commonModeRejection();
    void labelsKeptAcrossMeasurements();
};

void tst_Measurements::gain_data()
{
    // The reading is empty when nothing is measured.
    addReadingRows({{70, ""}, {71, "0,71"}, {79, "0,79"}, {80, ""}});
}

void tst_Measurements::gain()
{
    const auto [q, reading] = readingRow();
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    prepareGain(bench, q);
    QCOMPARE(bench.label(2)->Caption(), "U вых = " + QString::number(q / 10) + ',' + QString::number(q % 10) + " B");

    bench.setSwitch(7, false);

    QVERIFY(!bench.sw(7)->Checked());
    QVERIFY(bench.overlay(7)->isHidden());
    if (reading.isEmpty()) {
        QCOMPARE(bench.Dialogs.take(), QStringList());
        QCOMPARE(bench.sw(7)->Caption(), QString("S7 Uвх"));
        QVERIFY(bench.powerOn());
        QCOMPARE(bench.label(4)->Caption(), QString("U вых.г. = "));
        QVERIFY(bench.label(20)->isHidden());
        QVERIFY(bench.label(21)->isHidden());
        QCOMPARE(bench.doneFlags(), QString("------"));
        // Held on the input side: S7 does not go back to Uвых.
        bench.click(bench.sw(7));
        QVERIFY(!bench.sw(7)->Checked());
        QCOMPARE(bench.sw(7)->Caption(), QString("S7 Uвх"));
        QVERIFY(bench.powerOn());
        QCOMPARE(bench.Dialogs.take(), QStringList());
        return;
    }
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Коэффициент усиления определен."});
    // The caption says Uвых though the switch and the picture say Uвх.
    QCOMPARE(bench.sw(7)->Caption(), QString("S7 Uвых"));
    QCOMPARE(bench.meter(2)->Caption(), reading);
    QCOMPARE(bench.label(4)->Caption(), "Uвых.г = " + reading + " B");
    QVERIFY(bench.label(20)->isVisible());
    QVERIFY(bench.label(21)->isVisible());
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("+-----"));
}

void tst_Measurements::gainNeedsTheBalanceAtTheLastClick()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    prepareGain(bench, 75);
    QTest::keyClick(bench.balanceSlider(), Qt::Key_Right);

    bench.setSwitch(7, false);

    QCOMPARE(bench.Dialogs.take(), QStringList());
    QVERIFY(bench.powerOn());
    QCOMPARE(bench.meter(2)->Caption(), QString("7,5"));
    QVERIFY(bench.label(20)->isHidden());
    QCOMPARE(bench.doneFlags(), QString("------"));
}

void tst_Measurements::gainRecordedWhenS7SpringsBack()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    prepareGain(bench, 70);
    bench.setSwitch(7, false); // at 70: nothing measured, S7 on Uвх
    QVERIFY(bench.powerOn());
    bench.moveInput(76);

    // Turned to Uвых, S7 springs back to Uвх, and that counts.
    bench.click(bench.sw(7));

    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Коэффициент усиления определен."});
    QVERIFY(!bench.sw(7)->Checked());
    QVERIFY(bench.overlay(7)->isHidden());
    QCOMPARE(bench.meter(2)->Caption(), QString("0,76"));
    QCOMPARE(bench.label(4)->Caption(), QString("Uвых.г = 0,76 B"));
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("+-----"));
}

void tst_Measurements::offsetVoltage_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("balanced");
    WindowDriver::addSeparatorRows("balanced", [](QTestData& data) { data << true; });
    QTest::newRow("not balanced") << QChar(QLatin1Char(',')) << false;
}

void tst_Measurements::offsetVoltage()
{
    QFETCH(QChar, separator);
    QFETCH(bool, balanced);
    FormatSettings::setDecimalSeparator(separator);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(2, 18);
    if (balanced)
        bench.balance();

    bench.setSwitch(6, false);

    QVERIFY(!bench.sw(6)->Checked());
    QCOMPARE(bench.sw(6)->Caption(), QString("S6 Uвх"));
    QVERIFY(bench.overlay(6)->isHidden());
    if (!balanced) {
        QCOMPARE(bench.Dialogs.take(), QStringList());
        QCOMPARE(bench.meter(1)->Caption(), QString("1,8"));
        QCOMPARE(bench.label(1)->Caption(), QString("Uсм = "));
        QVERIFY(bench.powerOn());
        QCOMPARE(bench.doneFlags(), QString("------"));
        return;
    }
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Напряжение смещения определено."});
    QCOMPARE(bench.meter(1)->Caption(), QString("3"));
    QCOMPARE(bench.label(8)->Caption(), QString("U1 = 3 B"));
    QCOMPARE(bench.label(1)->Caption(), QString("Uсм = 0,003 В  ")); // Cyrillic В, two blanks
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("-+----"));
}

void tst_Measurements::offsetRecordedWhenS6SpringsBack()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(2, 18);
    bench.setSwitch(6, false); // not balanced: nothing measured
    QCOMPARE(bench.Dialogs.take(), QStringList());
    bench.balance();

    // Turned to Uвых, S6 springs back to Uвх, and that counts.
    bench.click(bench.sw(6));

    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Напряжение смещения определено."});
    QVERIFY(!bench.sw(6)->Checked());
    QCOMPARE(bench.sw(6)->Caption(), QString("S6 Uвх"));
    QVERIFY(bench.overlay(6)->isHidden());
    QCOMPARE(bench.meter(1)->Caption(), QString("3"));
    QCOMPARE(bench.label(1)->Caption(), QString("Uсм = 0,003 В  "));
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("-+----"));
}

void tst_Measurements::inputCurrentsFinishWithoutBalance()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(3, 9);
    bench.balance();
    bench.steerDraw(50, 12);
    bench.setSwitch(3, false);
    QCOMPARE(bench.meter(1)->Caption(), QString("1,2"));
    bench.balance();

    bench.setSwitch(6, false);
    QCOMPARE(bench.meter(1)->Caption(), QString("4"));
    QCOMPARE(bench.label(7)->Caption(), QString("U`1 = 4 B"));
    QCOMPARE(bench.meterColour(1), QString("clLime"));

    bench.setSwitch(3, true);
    bench.setSwitch(4, false);
    bench.steerDraw(50, 33);
    bench.setSwitch(6, true);
    // A new unbalance, and S6 stays on Uвых.
    QCOMPARE(bench.balanceSlider()->Position(), 33);
    QCOMPARE(bench.meter(1)->Caption(), QString("3,3"));
    QVERIFY(bench.sw(6)->Checked());
    QCOMPARE(bench.sw(6)->Caption(), QString("S6 Uвых"));
    QVERIFY(bench.overlay(6)->isVisible());
    QCOMPARE(bench.Dialogs.take(), QStringList());

    bench.setSwitch(6, false); // not balanced: this step does not ask

    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Измерение входных токов закончено."});
    QCOMPARE(bench.meter(1)->Caption(), QString("5"));
    QCOMPARE(bench.label(7)->Caption(), QString("U`1 = 4 B"));
    QCOMPARE(bench.label(9)->Caption(), QString("U``1 = 5 B"));
    QCOMPARE(bench.label(10)->Caption(), QString("Iвх1 = 50 nA"));
    QCOMPARE(bench.label(11)->Caption(), QString("Iвх2 = 100 nA"));
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("--+---"));
}

void tst_Measurements::inputCurrentsFirstReadingNeedsBalance()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(3, 0);
    bench.steerDraw(50, 12);
    bench.setSwitch(3, false);

    bench.setSwitch(6, false);

    QCOMPARE(bench.meter(1)->Caption(), QString("1,2"));
    QCOMPARE(bench.label(7)->Caption(), QString("U'1 = "));
    QVERIFY(!bench.sw(6)->Checked());

    // Balanced now, S6 turned to Uвых springs back, and the reading is
    // taken on the way back.
    bench.balance();
    bench.click(bench.sw(6));
    QVERIFY(!bench.sw(6)->Checked());
    QCOMPARE(bench.meter(1)->Caption(), QString("4"));
    QCOMPARE(bench.label(7)->Caption(), QString("U`1 = 4 B"));
    QVERIFY(bench.powerOn());
    QCOMPARE(bench.Dialogs.take(), QStringList());
}

void tst_Measurements::inputResistance_data()
{
    // The readings, with a point where the regional separator stands.
    addReadingRows({{73, "6.57"}, {5, ".45"}, {100, "9"}, {0, ""}});
}

void tst_Measurements::inputResistance()
{
    const auto [q, reading] = readingRow();
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.firstReading(4, 30, 40);
    QCOMPARE(bench.label(12)->Caption(), QString("U`вых = 4,0 B"));
    bench.setSwitch(1, false);
    QCOMPARE(bench.meter(2)->Caption(), QString("0,0"));
    QCOMPARE(bench.meterColour(2), QString("clGray"));
    bench.setSwitch(3, false);
    bench.steerDraw(50, 21);
    bench.setSwitch(4, false);
    QCOMPARE(bench.meter(1)->Caption(), QString("2,1"));
    bench.balance();
    bench.moveInput(q);

    bench.setSwitch(1, true);

    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Входное сопротивление измерено."});
    QCOMPARE(bench.meter(2)->Caption(), reading);
    QCOMPARE(bench.label(13)->Caption(), "U``вых = " + reading + " B");
    QCOMPARE(bench.label(14)->Caption(), QString("Rвх= 360 К"));
    QCOMPARE(bench.label(12)->Caption(), QString("U`вых = 4,0 B"));
    // S1 stands on, but its caption and the diagram say off.
    QVERIFY(bench.sw(1)->Checked());
    QCOMPARE(bench.sw(1)->Caption(), QString("S1 выкл."));
    QVERIFY(bench.overlay(1)->isHidden());
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("---+--"));
}

void tst_Measurements::outputResistance_data()
{
    // The readings, with a point where the regional separator stands.
    addReadingRows({{50, "5.5"}, {73, "8.03"}, {0, ""}});
}

void tst_Measurements::outputResistance()
{
    const auto [q, reading] = readingRow();
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.firstReading(5, 2, 40);
    QCOMPARE(bench.label(12)->Caption(), QString("U`вых = 4,0 B"));
    bench.moveInput(q);
    const QString tenths = QString::number(q / 10) + ',' + QString::number(q % 10);
    QCOMPARE(bench.label(12)->Caption(), "U`вых = " + tenths + " B");

    bench.setSwitch(5, false);

    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Выходное сопротивление измерено."});
    QCOMPARE(bench.meter(2)->Caption(), reading);
    QCOMPARE(bench.label(13)->Caption(), "U``вых = " + reading + " B");
    QCOMPARE(bench.label(15)->Caption(), QString("Rвых= 0,2 К"));
    QCOMPARE(bench.label(12)->Caption(), "U`вых = " + tenths + " B");
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("----+-"));
}

void tst_Measurements::commonModeRejection_data()
{
    // The readings, with a point where the regional separator stands.
    addReadingRows({{73, ".073"}, {100, ".1"}, {40, ".04"}, {0, ""}});
}

void tst_Measurements::commonModeRejection()
{
    const auto [q, reading] = readingRow();
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.firstReading(6, 44, 40);
    QCOMPARE(bench.label(4)->Caption(), QString("U вых.г. = 4,0 B"));
    bench.moveInput(q);
    bench.setSwitch(8, true);
    bench.setSwitch(9, true);
    QVERIFY(bench.label(22)->isHidden());

    bench.setSwitch(7, false);

    QCOMPARE(bench.Dialogs.take(),
             QStringList {"information: Коэффициент ослабления синфазного сигнала измерен."});
    QCOMPARE(bench.label(2)->Caption(), "U вых = " + reading + " B");
    QVERIFY(bench.label(22)->isVisible());
    QCOMPARE(bench.label(17)->Caption(), QString("Кос.сф = 60 Дб"));
    QVERIFY(!bench.sw(7)->Checked());
    QCOMPARE(bench.sw(7)->Caption(), QString("S7 Uвх"));
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("-----+"));
}

void tst_Measurements::labelsKeptAcrossMeasurements()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    prepareGain(bench, 75);
    bench.setSwitch(7, false);
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Коэффициент усиления определен."});

    // The next measurement from the switches as they were left.
    bench.click(bench.box(1));
    bench.tick(2);
    bench.pressPower();
    QCOMPARE(bench.Dialogs.take(), QStringList {"error: Неправильно установлены тумблеры."});
    bench.setSwitches(WindowDriver::powerOnSet(2));
    bench.pressPower();
    bench.balance();
    bench.setSwitch(6, false);
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Напряжение смещения определено."});

    QCOMPARE(bench.meter(2)->Caption(), QString("0,75"));
    QCOMPARE(bench.label(2)->Caption(), QString("U вых = 7,5 B"));
    QCOMPARE(bench.label(4)->Caption(), QString("Uвых.г = 0,75 B"));
    QVERIFY(bench.label(20)->isVisible());
    QVERIFY(bench.label(21)->isVisible());
    QCOMPARE(bench.label(8)->Caption(), QString("U1 = 3 B"));
    QCOMPARE(bench.label(1)->Caption(), QString("Uсм = 0,003 В  "));
    QVERIFY(bench.switchedOff());
    QCOMPARE(bench.doneFlags(), QString("++----"));
}

QTEST_MAIN(tst_Measurements)
#include "tst_Measurements.moc"
