// The power button with its check of the parameter box and the switches,
// the random unbalance of power-on, and the two sliders with their
// readings on the voltmeters and result labels.
#include "support/WindowDriver.h"

#include "platform/FormatSettings.h"
#include "widgets/controls/TLabel.h"
#include "widgets/controls/TSpeedButton.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include <QtTest>

namespace {

const QString WrongSwitches = QStringLiteral("error: Неправильно установлены тумблеры.");

} // namespace

class tst_PowerAndMeters : public QObject
{
    Q_OBJECT

private slots:
    // Comma settings unless a test says otherwise.
    void init() { FormatSettings::setDecimalSeparator(QLatin1Char(',')); }

    void powerOnRefused_data();
    void powerOnRefused();
    void powerOnUnbalancesTheAmplifier_data();
    void powerOnUnbalancesTheAmplifier();
    void powerOnLeavesVoltmeter2Alone();
    void switchingOffDarkensAndKeepsTheTexts();
    void balanceReading_data();
    void balanceReading();
    void inputSliderWritesTheLabelOfTheTickedBox_data();
    void inputSliderWritesTheLabelOfTheTickedBox();
    void inputSliderNeedsPowerAndS1_data();
    void inputSliderNeedsPowerAndS1();
};

void tst_PowerAndMeters::powerOnRefused_data()
{
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QString>("voltmeter2");
    // A wrong count of boxes leaves the meters as they are; wrong switches
    // darken both. Voltmeter 2 is lit beforehand to tell the two apart.
    QTest::newRow("no box") << "" << "011111100" << "clLime";
    QTest::newRow("two boxes") << "14" << "011111100" << "clLime";
    QTest::newRow("all six boxes") << "123456" << "011111100" << "clLime";
    QTest::newRow("gain, S7 on Uвх") << "1" << "011111000" << "clGray";
    QTest::newRow("gain, S2 off") << "1" << "001111100" << "clGray";
    QTest::newRow("offset voltage, S7 on Uвых") << "2" << "011111100" << "clGray";
    QTest::newRow("input currents, S7 on Uвых") << "3" << "011111100" << "clGray";
    QTest::newRow("input resistance, S1 on") << "4" << "111111100" << "clGray";
    QTest::newRow("output resistance, S8 on") << "5" << "011111110" << "clGray";
    QTest::newRow("rejection, S9 on") << "6" << "011111101" << "clGray";
    QTest::newRow("rejection, S6 on Uвх") << "6" << "011110100" << "clGray";
}

void tst_PowerAndMeters::powerOnRefused()
{
    QFETCH(QString, boxes);
    QFETCH(QString, switches);
    QFETCH(QString, voltmeter2);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    // The first input-resistance reading lights voltmeter 2 with the power off.
    bench.tick(4);
    bench.setSwitches("011111100");
    bench.setSwitch(1, true);
    QCOMPARE(bench.meterColour(2), QString("clLime"));
    const QString reading = bench.meter(2)->Caption();

    for (int k = 1; k <= 6; ++k)
        if (bench.box(k)->Checked() != boxes.contains(QString::number(k)))
            bench.click(bench.box(k));
    bench.setSwitches(switches.toLatin1().constData());
    bench.balanceSlider()->setPosition(12);
    bench.Dialogs.take();

    bench.pressPower();

    QCOMPARE(bench.Dialogs.take(), QStringList {WrongSwitches});
    QVERIFY(!bench.powerOn());
    QCOMPARE(bench.meterColour(1), QString("clGray"));
    QCOMPARE(bench.meterColour(2), voltmeter2);
    // No unbalance: the balance and both readings stay.
    QCOMPARE(bench.balanceSlider()->Position(), 12);
    QCOMPARE(bench.meter(1)->Caption(), QString("1,2"));
    QCOMPARE(bench.meter(2)->Caption(), reading);
    QCOMPARE(bench.switchStates(), switches);
}

void tst_PowerAndMeters::powerOnUnbalancesTheAmplifier_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<QString>("reading");
    QTest::newRow("gain, balanced by chance") << 1 << 0 << "0,0";
    QTest::newRow("offset voltage") << 2 << 49 << "4,9";
    QTest::newRow("input currents") << 3 << 23 << "2,3";
    QTest::newRow("input resistance") << 4 << 7 << "0,7";
    QTest::newRow("output resistance") << 5 << 10 << "1,0";
    QTest::newRow("rejection") << 6 << 49 << "4,9";
}

void tst_PowerAndMeters::powerOnUnbalancesTheAmplifier()
{
    QFETCH(int, k);
    QFETCH(int, drawn);
    QFETCH(QString, reading);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(k, drawn);

    QCOMPARE(bench.Dialogs.take(), QStringList());
    QVERIFY(bench.powerOn());
    QCOMPARE(bench.balanceSlider()->Position(), drawn);
    QCOMPARE(bench.meter(1)->Caption(), reading);
    QCOMPARE(bench.meterColour(1), QString("clLime"));
    QCOMPARE(bench.meter(2)->Caption(), QString());
    QCOMPARE(bench.meterColour(2), QString("clGray"));
    QCOMPARE(bench.switchStates(), QString(WindowDriver::powerOnSet(k)));
}

void tst_PowerAndMeters::powerOnLeavesVoltmeter2Alone()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.tick(4);
    bench.setSwitches("011111100");
    bench.setSwitch(1, true);
    bench.setSwitch(1, false);
    const QString reading = bench.meter(2)->Caption();
    QVERIFY(!reading.isEmpty());
    QCOMPARE(bench.meterColour(2), QString("clLime"));

    bench.pressPower();

    QVERIFY(bench.powerOn());
    QCOMPARE(bench.meter(2)->Caption(), reading);
    QCOMPARE(bench.meterColour(2), QString("clLime"));
}

void tst_PowerAndMeters::switchingOffDarkensAndKeepsTheTexts()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.firstReading(1, 31, 64);
    QCOMPARE(bench.meterColour(2), QString("clLime"));
    QCOMPARE(bench.meter(2)->Caption(), QString("6,4"));

    // Both meters turn grey on the screen, not only in their colour.
    const QStringList meters {"STP1", "STP2"};
    QCOMPARE(bench.repainted([&] { bench.pressPower(); }, meters), meters);

    QCOMPARE(bench.Dialogs.take(), QStringList());
    QVERIFY(!bench.powerOn());
    QCOMPARE(bench.meterColour(1), QString("clGray"));
    QCOMPARE(bench.meterColour(2), QString("clGray"));
    QCOMPARE(bench.meter(1)->Caption(), QString("0,0"));
    QCOMPARE(bench.meter(2)->Caption(), QString("6,4"));
    QCOMPARE(bench.label(2)->Caption(), QString("U вых = 6,4 B"));
    QCOMPARE(bench.balanceSlider()->Position(), 0);
    QCOMPARE(bench.inputSlider()->Position(), 64);
    QCOMPARE(bench.switchStates(), QString("111111100"));

    // On again: a new unbalance, voltmeter 2 keeps its dark reading.
    bench.setSwitch(1, false);
    bench.steerDraw(50, 17);
    bench.pressPower();
    QVERIFY(bench.powerOn());
    QCOMPARE(bench.meter(1)->Caption(), QString("1,7"));
    QCOMPARE(bench.meterColour(2), QString("clGray"));
    QCOMPARE(bench.meter(2)->Caption(), QString("6,4"));
}

void tst_PowerAndMeters::balanceReading_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("power");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("reading");
    const struct
    {
        int position;
        const char* reading;
    } rows[] = {{-7, "- 0,7"}, {-50, "- 5,0"}, {50, "5,0"}, {0, "0,0"}, {7, "0,7"}};
    for (bool power : {false, true}) {
        for (const auto& row : rows) {
            const QByteArray name = QByteArray::number(row.position) + (power ? ", power on" : ", power off");
            WindowDriver::addSeparatorRows(name.constData(), [&](QTestData& data) {
                data << power << row.position << QString::fromUtf8(row.reading);
            });
        }
    }
}

void tst_PowerAndMeters::balanceReading()
{
    QFETCH(QChar, separator);
    QFETCH(bool, power);
    QFETCH(int, position);
    QFETCH(QString, reading);
    FormatSettings::setDecimalSeparator(separator);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    if (power) {
        bench.powerOnFor(1, 20);
    } else {
        bench.balanceSlider()->setPosition(20);
    }

    bench.balanceSlider()->setPosition(position);

    QCOMPARE(bench.meter(1)->Caption(), reading);
    QCOMPARE(bench.meterColour(1), QString(power ? "clLime" : "clGray"));
    QCOMPARE(bench.powerOn(), power);
}

void tst_PowerAndMeters::inputSliderWritesTheLabelOfTheTickedBox_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("q");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<int>("labelNo");
    QTest::addColumn<QString>("text");
    const struct
    {
        int k;
        int labelNo;
        const char* prefix;
    } boxes[] = {
        {1, 2, "U вых = "},
        {2, 2, "U вых = "},
        {3, 2, "U вых = "},
        {4, 12, "U`вых = "},
        {5, 12, "U`вых = "},
        {6, 4, "Uвых.г. = "},
    };
    for (const auto& box : boxes) {
        for (const auto& [q, tenths] : {std::pair {73, "7,3"}, std::pair {100, "10,0"}}) {
            const QByteArray name = "CB" + QByteArray::number(box.k) + " at " + QByteArray::number(q);
            WindowDriver::addSeparatorRows(name.constData(), [&](QTestData& data) {
                // " B": a blank and the Latin capital B.
                data << box.k << q << QString::fromLatin1(tenths) << box.labelNo << QString::fromUtf8(box.prefix) + tenths + " B";
            });
        }
    }
}

void tst_PowerAndMeters::inputSliderWritesTheLabelOfTheTickedBox()
{
    QFETCH(QChar, separator);
    QFETCH(int, k);
    QFETCH(int, q);
    QFETCH(QString, reading);
    QFETCH(int, labelNo);
    QFETCH(QString, text);
    FormatSettings::setDecimalSeparator(separator);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(k, 20);
    // Not balanced: of the measurement steps of S1 only the first
    // input-resistance reading (CB4) applies.
    bench.setSwitch(1, true);
    const QString colour = bench.meterColour(2);
    QStringList others;
    for (int n : {2, 4, 12})
        if (n != labelNo)
            others << bench.label(n)->Caption();

    bench.inputSlider()->setPosition(q);

    QCOMPARE(bench.meter(2)->Caption(), reading);
    QCOMPARE(bench.label(labelNo)->Caption(), text);
    QCOMPARE(bench.meterColour(2), colour);
    QStringList othersAfter;
    for (int n : {2, 4, 12})
        if (n != labelNo)
            othersAfter << bench.label(n)->Caption();
    QCOMPARE(othersAfter, others);
}

void tst_PowerAndMeters::inputSliderNeedsPowerAndS1_data()
{
    QTest::addColumn<bool>("power");
    QTest::addColumn<bool>("s1");
    QTest::newRow("power off, S1 on") << false << true;
    QTest::newRow("power on, S1 off") << true << false;
}

void tst_PowerAndMeters::inputSliderNeedsPowerAndS1()
{
    QFETCH(bool, power);
    QFETCH(bool, s1);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.tick(1);
    bench.setSwitches(WindowDriver::powerOnSet(1));
    bench.steerDraw(50, 20);
    if (power)
        bench.pressPower();
    bench.setSwitch(1, s1);
    const QString reading = bench.meter(2)->Caption();

    bench.moveInput(5);

    QCOMPARE(bench.inputSlider()->Position(), 5);
    QCOMPARE(bench.meter(2)->Caption(), reading);
    QCOMPARE(bench.label(2)->Caption(), QString("U вых = "));
}

QTEST_MAIN(tst_PowerAndMeters)
#include "tst_PowerAndMeters.moc"
