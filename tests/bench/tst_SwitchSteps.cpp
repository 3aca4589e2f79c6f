// The steps of the switch handlers that are no measurement's last step: the
// readings S1 lights, the unbalance of S3 and S4, S5's read-back of the
// loaded output, and S6 and S7 held on the input side while powered.
#include "support/WindowDriver.h"

#include "platform/FormatSettings.h"
#include "widgets/controls/TImage.h"
#include "widgets/controls/TLabel.h"
#include "widgets/controls/TSpeedButton.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include <QtTest>

namespace {

// The tenths text of a balance position 0 ... 49.
QString tenths(int n)
{
    return QString::number(n / 10) + QLatin1Char(',') + QString::number(n % 10);
}

// The meters, the result labels and the sliders.
QStringList readings(const WindowDriver& bench)
{
    QStringList out;
    for (int n : {1, 2})
        out << bench.meter(n)->Caption() << bench.meterColour(n);
    for (int n : {1, 2, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17})
        out << bench.label(n)->Caption();
    out << QString::number(bench.balanceSlider()->Position()) << QString::number(bench.inputSlider()->Position());
    return out;
}

} // namespace

class tst_SwitchSteps : public QObject
{
    Q_OBJECT

private slots:
    // Comma settings unless a test says otherwise.
    void init() { FormatSettings::setDecimalSeparator(QLatin1Char(',')); }

    void s1LightsVoltmeter2_data();
    void s1LightsVoltmeter2();
    void s1WithoutItsStepGoesDark_data();
    void s1WithoutItsStepGoesDark();
    void s2S8S9OnlyRedraw_data();
    void s2S8S9OnlyRedraw();
    void s3Unbalances_data();
    void s3Unbalances();
    void s4Unbalances_data();
    void s4Unbalances();
    void s5ReadsTheLoadedOutput_data();
    void s5ReadsTheLoadedOutput();
    void s5ReportsATextThatIsNoNumber();
    void s6AndS7HeldOnTheInputSide_data();
    void s6AndS7HeldOnTheInputSide();
};

void tst_SwitchSteps::s1LightsVoltmeter2_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("power");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<int>("labelNo");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("gain") << 1 << true << 0 << 2 << "U вых = ";
    QTest::newRow("input resistance") << 4 << true << 0 << 12 << "U`вых = ";
    QTest::newRow("input resistance, not balanced") << 4 << true << 15 << 12 << "U`вых = ";
    QTest::newRow("input resistance, power off") << 4 << false << 0 << 12 << "U`вых = ";
    QTest::newRow("output resistance") << 5 << true << 0 << 12 << "U`вых = ";
    QTest::newRow("rejection") << 6 << true << 0 << 4 << "U вых.г. = ";
}

void tst_SwitchSteps::s1LightsVoltmeter2()
{
    QFETCH(int, k);
    QFETCH(bool, power);
    QFETCH(int, drawn);
    QFETCH(int, labelNo);
    QFETCH(QString, prefix);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    if (power) {
        bench.powerOnFor(k, drawn);
    } else {
        bench.tick(k);
        bench.setSwitches(WindowDriver::powerOnSet(k));
    }
    bench.steerDraw(100, 64);

    bench.setSwitch(1, true);

    QCOMPARE(bench.sw(1)->Caption(), QString("S1 вкл."));
    QVERIFY(bench.overlay(1)->isVisible());
    QCOMPARE(bench.inputSlider()->Position(), 64);
    QCOMPARE(bench.meter(2)->Caption(), QString("6,4"));
    QCOMPARE(bench.meterColour(2), QString("clLime"));
    QCOMPARE(bench.label(labelNo)->Caption(), prefix + "6,4 B");
    QCOMPARE(bench.powerOn(), power);
    QCOMPARE(bench.Dialogs.take(), QStringList());

    // S1 off again: with the power on the meter goes dark on "0,0"; the
    // label keeps the reading.
    bench.setSwitch(1, false);
    QCOMPARE(bench.sw(1)->Caption(), QString("S1 выкл."));
    QVERIFY(bench.overlay(1)->isHidden());
    QCOMPARE(bench.meter(2)->Caption(), QString(power ? "0,0" : "6,4"));
    QCOMPARE(bench.meterColour(2), QString(power ? "clGray" : "clLime"));
    QCOMPARE(bench.label(labelNo)->Caption(), prefix + "6,4 B");
}

void tst_SwitchSteps::s1WithoutItsStepGoesDark_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<QString>("switches"); // set after power-on, before S1
    QTest::newRow("gain, not balanced") << 1 << 3 << "011111100";
    QTest::newRow("gain, S8 on") << 1 << 0 << "011111110";
    QTest::newRow("gain, S7 on Uвх") << 1 << 0 << "011111000";
    QTest::newRow("offset voltage") << 2 << 0 << "011111000";
    QTest::newRow("output resistance, not balanced") << 5 << 1 << "011111100";
    QTest::newRow("rejection, S9 on") << 6 << 0 << "011111101";
}

void tst_SwitchSteps::s1WithoutItsStepGoesDark()
{
    QFETCH(int, k);
    QFETCH(int, drawn);
    QFETCH(QString, switches);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(k, drawn);
    bench.setSwitches(switches.toLatin1().constData());
    QStringList labels;
    for (int n : {2, 4, 12})
        labels << bench.label(n)->Caption();

    bench.setSwitch(1, true);

    // The switch stands on, but its caption and the diagram say off.
    QVERIFY(bench.sw(1)->Checked());
    QCOMPARE(bench.sw(1)->Caption(), QString("S1 выкл."));
    QVERIFY(bench.overlay(1)->isHidden());
    QCOMPARE(bench.meter(2)->Caption(), QString("0,0"));
    QCOMPARE(bench.meterColour(2), QString("clGray"));
    QCOMPARE(bench.inputSlider()->Position(), 0);
    QStringList labelsAfter;
    for (int n : {2, 4, 12})
        labelsAfter << bench.label(n)->Caption();
    QCOMPARE(labelsAfter, labels);
    QVERIFY(bench.powerOn());
}

void tst_SwitchSteps::s2S8S9OnlyRedraw_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("S2") << 2;
    QTest::newRow("S8") << 8;
    QTest::newRow("S9") << 9;
}

void tst_SwitchSteps::s2S8S9OnlyRedraw()
{
    QFETCH(int, n);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(1, 0);
    bench.steerDraw(100, 42);
    bench.setSwitch(1, true);
    const QStringList before = readings(bench);

    for (int round = 0; round < 2; ++round) {
        bench.click(bench.sw(n));
        QCOMPARE(bench.overlay(n)->isVisible(), bench.sw(n)->Checked());
        QCOMPARE(bench.sw(n)->Caption(),
                 QStringLiteral("S%1 %2").arg(n).arg(bench.sw(n)->Checked() ? "вкл." : "выкл."));
        QCOMPARE(readings(bench), before);
        QVERIFY(bench.powerOn());
    }
    QCOMPARE(bench.Dialogs.take(), QStringList());
}

void tst_SwitchSteps::s3Unbalances_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<QString>("switches"); // before the click on S3
    QTest::addColumn<bool>("unbalanced");
    QTest::newRow("input currents, S3 off") << 3 << 0 << "011111000" << true;
    QTest::newRow("input currents, S3 on") << 3 << 0 << "010111000" << true;
    QTest::newRow("input currents, not balanced") << 3 << 4 << "011111000" << false;
    QTest::newRow("input currents, S1 on") << 3 << 0 << "111111000" << false;
    QTest::newRow("input currents, S6 on Uвх") << 3 << 0 << "011110000" << false;
    QTest::newRow("offset voltage") << 2 << 0 << "011111000" << false;
}

void tst_SwitchSteps::s3Unbalances()
{
    QFETCH(int, k);
    QFETCH(int, drawn);
    QFETCH(QString, switches);
    QFETCH(bool, unbalanced);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(k, drawn);
    bench.setSwitches(switches.toLatin1().constData());
    bench.steerDraw(50, 37);

    bench.click(bench.sw(3));

    QCOMPARE(bench.balanceSlider()->Position(), unbalanced ? 37 : drawn);
    QCOMPARE(bench.meter(1)->Caption(), tenths(unbalanced ? 37 : drawn));
    QCOMPARE(bench.meterColour(1), QString("clLime"));
    QVERIFY(bench.powerOn());
}

void tst_SwitchSteps::s4Unbalances_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("power");
    QTest::addColumn<QString>("switches"); // before the click on S4
    QTest::addColumn<bool>("balanced");
    QTest::addColumn<bool>("unbalanced");
    // S4 closed with S2 open and S5 closed: whatever the box and power.
    QTest::newRow("closed, power off") << 0 << false << "000010000" << true << true;
    QTest::newRow("closed, gain, power on") << 1 << true << "001011100" << true << true;
    QTest::newRow("closed, S2 on") << 0 << false << "010010000" << true << false;
    QTest::newRow("closed, S5 off") << 0 << false << "000000000" << true << false;
    QTest::newRow("closed, not balanced") << 0 << false << "000010000" << false << false;
    // S4 opened in the input-resistance position.
    QTest::newRow("opened, input resistance") << 4 << true << "010111100" << true << true;
    QTest::newRow("opened, input resistance, not balanced") << 4 << true << "010111100" << false << false;
    QTest::newRow("opened, input resistance, S3 on") << 4 << true << "011111100" << true << false;
    QTest::newRow("opened, output resistance") << 5 << true << "010111100" << true << false;
}

void tst_SwitchSteps::s4Unbalances()
{
    QFETCH(int, k);
    QFETCH(bool, power);
    QFETCH(QString, switches);
    QFETCH(bool, balanced);
    QFETCH(bool, unbalanced);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    if (power)
        bench.powerOnFor(k, 0);
    else if (k)
        bench.tick(k);
    bench.setSwitches(switches.toLatin1().constData());
    bench.balanceSlider()->setPosition(balanced ? 0 : -2);
    const QString reading = bench.meter(1)->Caption();
    bench.steerDraw(50, 44);

    bench.click(bench.sw(4));

    QCOMPARE(bench.balanceSlider()->Position(), unbalanced ? 44 : balanced ? 0 : -2);
    QCOMPARE(bench.meter(1)->Caption(), unbalanced ? QString("4,4") : reading);
    QCOMPARE(bench.meterColour(1), QString(power ? "clLime" : "clGray"));
    QCOMPARE(bench.powerOn(), power);
}

void tst_SwitchSteps::s5ReadsTheLoadedOutput_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("switches"); // after power-on, before S1 and S5
    QTest::addColumn<bool>("power");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    QTest::newRow("comma") << comma << "000011100" << true << "4,86667" << "3,24445";
    // The tenths text "7,3" carries a comma under any settings; it is read
    // all the same, and the result has the regional point.
    QTest::newRow("point") << point << "000011100" << true << "4.86667" << "3.24445";
    QTest::newRow("S2 on") << comma << "010011100" << true << "7,3" << "7,3";
    QTest::newRow("S4 on") << comma << "000111100" << true << "7,3" << "7,3";
    QTest::newRow("S7 on Uвх") << comma << "000011000" << true << "7,3" << "7,3";
    QTest::newRow("power off") << point << "000011100" << false << "7,3" << "7,3";
}

void tst_SwitchSteps::s5ReadsTheLoadedOutput()
{
    QFETCH(QChar, separator);
    QFETCH(QString, switches);
    QFETCH(bool, power);
    QFETCH(QString, first);
    QFETCH(QString, second);
    FormatSettings::setDecimalSeparator(separator);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(1, 0);
    bench.setSwitches(switches.toLatin1().constData());
    bench.setSwitch(1, true);
    bench.inputSlider()->setPosition(73);
    QCOMPARE(bench.meter(2)->Caption(), QString("7,3"));
    if (!power)
        bench.pressPower();

    bench.setSwitch(5, false);
    QCOMPARE(bench.meter(2)->Caption(), first);
    // Closing S5 reads nothing; opening it again reads the new text.
    bench.setSwitch(5, true);
    QCOMPARE(bench.meter(2)->Caption(), first);
    bench.setSwitch(5, false);
    QCOMPARE(bench.meter(2)->Caption(), second);

    QCOMPARE(bench.Dialogs.take(), QStringList());
    QCOMPARE(bench.sw(5)->Caption(), QString("S5 выкл."));
    QVERIFY(bench.overlay(5)->isHidden());
}

void tst_SwitchSteps::s5ReportsATextThatIsNoNumber()
{
    // A reading written under point settings, read back after the regional
    // settings have turned to a comma.
    FormatSettings::setDecimalSeparator(QLatin1Char('.'));
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(1, 0);
    bench.setSwitches("000011100");
    bench.setSwitch(1, true);
    bench.inputSlider()->setPosition(73);
    bench.setSwitch(5, false);
    QCOMPARE(bench.meter(2)->Caption(), QString("4.86667"));
    bench.setSwitch(5, true);
    FormatSettings::setDecimalSeparator(QLatin1Char(','));

    bench.setSwitch(5, false);

    QCOMPARE(bench.Dialogs.take(), QStringList {"error: '4.86667' is not a valid floating point value"});
    QCOMPARE(bench.meter(2)->Caption(), QString("4.86667"));
    QVERIFY(!bench.sw(5)->Checked());
    QCOMPARE(bench.sw(5)->Caption(), QString("S5 выкл."));
    QVERIFY(bench.powerOn());
}

void tst_SwitchSteps::s6AndS7HeldOnTheInputSide_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("S6") << 6;
    QTest::newRow("S7") << 7;
}

void tst_SwitchSteps::s6AndS7HeldOnTheInputSide()
{
    QFETCH(int, n);
    const QString inputSide = QStringLiteral("S%1 Uвх").arg(n);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.powerOnFor(1, 3);
    const QStringList before = readings(bench);

    // From Uвых to Uвх: the click stands.
    bench.click(bench.sw(n));
    QVERIFY(!bench.sw(n)->Checked());
    QCOMPARE(bench.sw(n)->Caption(), inputSide);
    QVERIFY(bench.overlay(n)->isHidden());

    // Back to Uвых: the switch springs back, caption, picture and state.
    bench.click(bench.sw(n));
    QVERIFY(!bench.sw(n)->Checked());
    QCOMPARE(bench.sw(n)->Caption(), inputSide);
    QVERIFY(bench.overlay(n)->isHidden());

    QCOMPARE(readings(bench), before);
    QVERIFY(bench.powerOn());
    QCOMPARE(bench.Dialogs.take(), QStringList());

    // With the power off it turns freely.
    bench.pressPower();
    bench.click(bench.sw(n));
    QVERIFY(bench.sw(n)->Checked());
    QCOMPARE(bench.sw(n)->Caption(), QStringLiteral("S%1 Uвых").arg(n));
    QVERIFY(bench.overlay(n)->isVisible());
}

QTEST_MAIN(tst_SwitchSteps)
#include "tst_SwitchSteps.moc"
