// The bench's rules without a window: the condition of every step of the
// switch and slider handlers, the switch sets of power-on and the readings
// of the measurements' last steps.
#include "bench/rules/BenchRules.h"
#include "bench/rules/MeterText.h"
#include "platform/FormatSettings.h"

#include <QtTest>

using Step = BenchRules::Step;
using PowerOn = BenchRules::PowerOn;

Q_DECLARE_METATYPE(BenchRules::State)
Q_DECLARE_METATYPE(BenchRules::Step)
Q_DECLARE_METATYPE(BenchRules::PowerOn)

namespace {

// The boxes ticked ("14": CB1 and CB4), the power, the balance and input
// sliders, and the switches, S1 first.
BenchRules::State state(const char* boxes, bool power, int balance, int input, const char* switches)
{
    BenchRules::State s;
    for (const char* b = boxes; *b; ++b)
        s.Boxes[size_t(*b - '1')] = true;
    for (int n = 0; n < 9; ++n)
        s.Switches[size_t(n)] = switches[n] == '1';
    s.Power = power;
    s.Balance = balance;
    s.Input = input;
    return s;
}

} // namespace

class tst_BenchRules : public QObject
{
    Q_OBJECT

private slots:
    void init() { FormatSettings::setDecimalSeparator(QLatin1Char(',')); }

    void stepAppliesUnderItsCondition_data();
    void stepAppliesUnderItsCondition();
    void powerOnChecksTheBoxAndItsSwitchSet_data();
    void powerOnChecksTheBoxAndItsSwitchSet();
    void readingsOfTheLastSteps_data();
    void readingsOfTheLastSteps();
};

void tst_BenchRules::stepAppliesUnderItsCondition_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<BenchRules::State>("state");
    QTest::addColumn<bool>("applies");
    const auto row = [](const char* name, Step step, const char* boxes, bool power, int balance, int input,
                        const char* switches, bool applies) {
        QTest::newRow(name) << step << state(boxes, power, balance, input, switches) << applies;
    };
    // The input slider: the label of the ticked box, with power and S1, whatever the balance.
    row("output label", Step::InputOnOutputLabel, "2", true, 9, 0, "100000000", true);
    row("output label, CB4", Step::InputOnOutputLabel, "14", true, 0, 0, "100000000", false);
    row("output label, power off", Step::InputOnOutputLabel, "1", false, 0, 0, "111111100", false);
    row("primed label, CB5", Step::InputOnPrimedLabel, "5", true, 9, 0, "100000000", true);
    row("primed label, S1 off", Step::InputOnPrimedLabel, "4", true, 0, 0, "011111100", false);
    row("generator label", Step::InputOnGeneratorLabel, "6", true, 9, 0, "100000000", true);
    // S1's steps.
    row("gain reading", Step::GainReading, "1", true, 0, 0, "111111100", true);
    row("gain reading, not balanced", Step::GainReading, "1", true, 3, 0, "111111100", false);
    row("gain reading, S8 on", Step::GainReading, "1", true, 0, 0, "111111110", false);
    row("first input-resistance reading, power off", Step::FirstInputResistanceReading, "4", false, 15, 0,
        "111111100", true);
    row("first input-resistance reading, S7 on Uвх", Step::FirstInputResistanceReading, "4", true, 0, 0,
        "111111000", false);
    row("input resistance", Step::InputResistance, "4", true, 0, 0, "110011100", true);
    row("input resistance, S3 on", Step::InputResistance, "4", true, 0, 0, "111011100", false);
    row("first output-resistance reading", Step::FirstOutputResistanceReading, "5", true, 0, 0, "111111100", true);
    row("first output-resistance reading, not balanced", Step::FirstOutputResistanceReading, "5", true, 1, 0,
        "111111100", false);
    row("generator reading", Step::GeneratorReading, "6", true, 0, 0, "111111100", true);
    row("generator reading, S9 on", Step::GeneratorReading, "6", true, 0, 0, "111111101", false);
    // S3 and S4.
    row("S3 unbalance, S3 off", Step::S3Unbalance, "3", true, 0, 0, "010111000", true);
    row("S3 unbalance, S3 on", Step::S3Unbalance, "3", true, 0, 0, "011111000", true);
    row("S3 unbalance, S1 on", Step::S3Unbalance, "3", true, 0, 0, "111111000", false);
    row("S4 closed, no box, power off", Step::S4ClosedUnbalance, "", false, 0, 0, "000110000", true);
    row("S4 closed, S2 on", Step::S4ClosedUnbalance, "", false, 0, 0, "010110000", false);
    row("S4 closed, not balanced", Step::S4ClosedUnbalance, "", false, -2, 0, "000110000", false);
    row("S4 opened, input resistance", Step::S4OpenedUnbalance, "4", true, 0, 0, "010011100", true);
    row("S4 opened, output resistance", Step::S4OpenedUnbalance, "5", true, 0, 0, "010011100", false);
    // S5.
    row("loaded output", Step::LoadedOutputReading, "", true, 7, 0, "100001100", true);
    row("loaded output, S5 on", Step::LoadedOutputReading, "", true, 0, 0, "100011100", false);
    row("loaded output, S2 on", Step::LoadedOutputReading, "", true, 0, 0, "110001100", false);
    row("output resistance", Step::OutputResistance, "5", true, 0, 0, "111101100", true);
    row("output resistance, power off", Step::OutputResistance, "5", false, 0, 0, "111101100", false);
    // S6.
    row("first input-current reading", Step::FirstInputCurrentReading, "3", true, 0, 0, "010110000", true);
    row("first input-current reading, not balanced", Step::FirstInputCurrentReading, "3", true, 4, 0,
        "010110000", false);
    row("S6 unbalance, not balanced", Step::S6Unbalance, "3", true, 7, 0, "011011000", true);
    row("input currents, not balanced", Step::InputCurrents, "3", true, 7, 0, "011010000", true);
    row("input currents, power off", Step::InputCurrents, "3", false, 0, 0, "011010000", false);
    row("offset voltage", Step::OffsetVoltage, "2", true, 0, 0, "011110000", true);
    row("offset voltage, not balanced", Step::OffsetVoltage, "2", true, 1, 0, "011110000", false);
    // S7: the gain only between 70 and 80.
    row("gain at 70", Step::Gain, "1", true, 0, 70, "111111000", false);
    row("gain at 71", Step::Gain, "1", true, 0, 71, "111111000", true);
    row("gain at 79", Step::Gain, "1", true, 0, 79, "111111000", true);
    row("gain at 80", Step::Gain, "1", true, 0, 80, "111111000", false);
    row("gain, not balanced", Step::Gain, "1", true, 1, 75, "111111000", false);
    row("rejection", Step::CommonModeRejection, "6", true, 0, 0, "111111011", true);
    row("rejection, S9 off", Step::CommonModeRejection, "6", true, 0, 0, "111111010", false);
}

void tst_BenchRules::stepAppliesUnderItsCondition()
{
    QFETCH(Step, step);
    QFETCH(BenchRules::State, state);
    QFETCH(bool, applies);
    QCOMPARE(BenchRules(state).applies(step), applies);
}

void tst_BenchRules::powerOnChecksTheBoxAndItsSwitchSet_data()
{
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("switches");
    QTest::addColumn<PowerOn>("verdict");
    QTest::newRow("no box") << "" << "011111100" << PowerOn::WrongBoxes;
    QTest::newRow("two boxes") << "14" << "011111100" << PowerOn::WrongBoxes;
    QTest::newRow("gain") << "1" << "011111100" << PowerOn::Accepted;
    QTest::newRow("gain, S7 on Uвх") << "1" << "011111000" << PowerOn::WrongSwitches;
    QTest::newRow("offset voltage") << "2" << "011111000" << PowerOn::Accepted;
    QTest::newRow("input currents, S7 on Uвых") << "3" << "011111100" << PowerOn::WrongSwitches;
    QTest::newRow("input resistance, S1 on") << "4" << "111111100" << PowerOn::WrongSwitches;
    QTest::newRow("output resistance") << "5" << "011111100" << PowerOn::Accepted;
    QTest::newRow("rejection, S9 on") << "6" << "011111101" << PowerOn::WrongSwitches;
}

void tst_BenchRules::powerOnChecksTheBoxAndItsSwitchSet()
{
    QFETCH(QString, boxes);
    QFETCH(QString, switches);
    QFETCH(PowerOn, verdict);
    const BenchRules::State s = state(boxes.toLatin1().constData(), true, 0, 0, switches.toLatin1().constData());
    QCOMPARE(BenchRules(s).powerOn(), verdict);
}

void tst_BenchRules::readingsOfTheLastSteps_data()
{
    QTest::addColumn<int>("input");
    // Input resistance, output resistance, rejection, and the loaded
    // output read back from the input's tenths on voltmeter 2.
    QTest::addColumn<QStringList>("readings");
    QTest::newRow("73") << 73 << QStringList {"6,57", "8,03", ",073", "4,86667"};
    QTest::newRow("5") << 5 << QStringList {",45", ",55", ",005", "0,33333"};
    QTest::newRow("100") << 100 << QStringList {"9", "11", ",1", "6,66667"};
    QTest::newRow("0") << 0 << QStringList {"", "", "", "0,00000"};
}

void tst_BenchRules::readingsOfTheLastSteps()
{
    QFETCH(int, input);
    QFETCH(QStringList, readings);
    QCOMPARE(QStringList({BenchRules::inputResistanceReading(input), BenchRules::outputResistanceReading(input),
                          BenchRules::rejectionReading(input),
                          BenchRules::loadedReading(MeterText::FormatTenths(input))}),
             readings);
}

QTEST_GUILESS_MAIN(tst_BenchRules)
#include "tst_BenchRules.moc"
