#include "bench/rules/BenchRules.h"

#include "bench/rules/MeterText.h"
#include "platform/NumberText.h"

namespace {

// The power-on switch set of each parameter box, S1 first.
const char* const PowerOnSets[6] = {
    "011111100", // CB1 gain
    "011111000", // CB2 offset voltage: S7 on Uвх
    "011111000", // CB3 input currents: S7 on Uвх
    "011111100", // CB4 input resistance
    "011111100", // CB5 output resistance
    "011111100", // CB6 common-mode rejection
};

// Every switch closed but S8 and S9: the position of S1's readings.
const char* const ReadingPosition = "111111100";

} // namespace

bool BenchRules::switches(const char* pattern) const
{
    for (int n = 1; n <= 9; ++n) {
        const char want = pattern[n - 1];
        if (want != '-' && on(n) != (want == '1'))
            return false;
    }
    return true;
}

const char* BenchRules::powerOnSet(int k)
{
    return PowerOnSets[k - 1];
}

BenchRules::PowerOn BenchRules::powerOn() const
{
    int count = 0;
    int box = 0;
    for (int k = 1; k <= 6; ++k) {
        if (ticked(k)) {
            ++count;
            box = k;
        }
    }
    if (count != 1)
        return PowerOn::WrongBoxes;
    return switches(powerOnSet(box)) ? PowerOn::Accepted : PowerOn::WrongSwitches;
}

bool BenchRules::applies(Step step) const
{
    const bool powered = S.Power;
    const bool ready = S.Power && balanced();
    switch (step) {
    case Step::InputOnOutputLabel:
        return !ticked(4) && !ticked(5) && !ticked(6) && on(1) && powered;
    case Step::InputOnPrimedLabel:
        return on(1) && (ticked(4) || ticked(5)) && powered;
    case Step::InputOnGeneratorLabel:
        return on(1) && ticked(6) && powered;
    case Step::GainReading:
        return ticked(1) && ready && switches(ReadingPosition);
    case Step::FirstInputResistanceReading:
        // With or without power, balanced or not.
        return ticked(4) && switches(ReadingPosition);
    case Step::InputResistance:
        return ticked(4) && ready && switches("110011100");
    case Step::FirstOutputResistanceReading:
        return ticked(5) && ready && switches(ReadingPosition);
    case Step::GeneratorReading:
        return ticked(6) && ready && switches(ReadingPosition);
    case Step::S3Unbalance:
        return ticked(3) && ready && switches("01-111000");
    case Step::S4ClosedUnbalance:
        // Whatever the box and the power.
        return on(4) && !on(2) && balanced() && on(5);
    case Step::S4OpenedUnbalance:
        return ticked(4) && ready && switches("010011100");
    case Step::LoadedOutputReading:
        return !on(5) && powered && switches("1000-11--");
    case Step::OutputResistance:
        return ticked(5) && ready && switches("111101100");
    case Step::FirstInputCurrentReading:
        return ticked(3) && ready && switches("010110000");
    case Step::S6Unbalance:
        // Whatever the balance; S6 stays on the output side.
        return ticked(3) && powered && switches("011011000");
    case Step::InputCurrents:
        return ticked(3) && powered && switches("011010000");
    case Step::OffsetVoltage:
        return ticked(2) && ready && switches("011110000");
    case Step::Gain:
        return ticked(1) && ready && S.Input > 70 && S.Input < 80 && switches("111111000");
    case Step::CommonModeRejection:
        return ticked(6) && ready && switches("111111011");
    }
    return false;
}

QString BenchRules::switchCaption(int n, bool checked)
{
    // S6 and S7 change over between the input and the output; the others close.
    if (n == 6 || n == 7)
        return QStringLiteral("S%1 %2").arg(n).arg(checked ? QStringLiteral("Uвых") : QStringLiteral("Uвх"));
    return QStringLiteral("S%1 %2").arg(n).arg(checked ? QStringLiteral("вкл.") : QStringLiteral("выкл."));
}

QString BenchRules::inputResistanceReading(int input)
{
    return NumberText::formatPattern(QStringLiteral("#.##"), input * 0.09L);
}

QString BenchRules::outputResistanceReading(int input)
{
    return NumberText::formatPattern(QStringLiteral("#.##"), input * 0.11L);
}

QString BenchRules::rejectionReading(int input)
{
    return NumberText::formatPattern(QStringLiteral("#.###"), input * 0.001L);
}

QString BenchRules::loadedReading(const QString& shown)
{
    const long double u = MeterText::readBack(shown);
    return NumberText::formatFixed(u * 2.0L / 3.0L, 5);
}
