#include "bench/Bench.h"

#include "widgets/controls/Dialogs.h"
#include "widgets/controls/ErrorReport.h"
#include "platform/RandomGenerator.h"
#include "journal/Journal.h"
#include "bench/rules/MeterText.h"
#include "widgets/controls/TImage.h"
#include "widgets/controls/TLabel.h"
#include "widgets/controls/TSpeedButton.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

namespace {

const QString WrongSwitches = QStringLiteral("Неправильно установлены тумблеры.");
const QString Unit = QStringLiteral(" B"); // a blank and the Latin capital B

// "U", grave accents, then the rest: the primed and double-primed texts.
QString primed(int accents, const QString& rest)
{
    return QStringLiteral("U") + QString(accents, QChar(0x60)) + rest;
}

using Step = BenchRules::Step;

} // namespace

Bench::Bench(const Controls& controls, Journal& journal, RandomGenerator& generator, Clock& clock,
             Dialogs& dialogs, QObject* parent)
    : QObject(parent)
    , C(controls)
    , FJournal(journal)
    , FGenerator(generator)
    , FClock(clock)
    , FDialogs(dialogs)
{
}

void Bench::emptyMeters()
{
    C.Voltmeter1->setCaption(QString());
    C.Voltmeter2->setCaption(QString());
}

BenchRules::State Bench::state() const
{
    BenchRules::State state;
    for (int n = 1; n <= 9; ++n)
        state.Switches[size_t(n - 1)] = C.Switches[size_t(n - 1)]->Checked();
    for (int k = 1; k <= 6; ++k)
        state.Boxes[size_t(k - 1)] = C.Parameters[size_t(k - 1)]->Checked();
    state.Power = power();
    state.Balance = C.Balance->Position();
    state.Input = C.InputLevel->Position();
    return state;
}

bool Bench::applies(BenchRules::Step step) const
{
    return BenchRules(state()).applies(step);
}

bool Bench::power() const
{
    return C.Power->Down();
}

void Bench::setSwitchCaption(int n, bool checkedCaption)
{
    C.Switches[n - 1]->setCaption(BenchRules::switchCaption(n, checkedCaption));
}

void Bench::showSwitch(int n)
{
    const bool checked = C.Switches[n - 1]->Checked();
    setSwitchCaption(n, checked);
    C.Overlays[n - 1]->setVisible(checked);
}

void Bench::setSwitchOff(int n)
{
    C.Switches[n - 1]->setChecked(false);
    ErrorReport::rethrowPending();
}

void Bench::setMeter(TStaticText* meter, bool live)
{
    meter->setColor(live ? clLime : clGray);
}

// ---- Power and meters ----------------------------------------------------

void Bench::SpeedButton1Click()
{
    if (!power()) {
        setMeter(C.Voltmeter1, false);
        setMeter(C.Voltmeter2, false);
        return;
    }
    const BenchRules::PowerOn verdict = BenchRules(state()).powerOn();
    if (verdict == BenchRules::PowerOn::WrongBoxes) {
        FDialogs.error(WrongSwitches);
        C.Power->setDown(false);
        return;
    }
    if (verdict == BenchRules::PowerOn::Accepted) {
        setMeter(C.Voltmeter1, true);
        Unbalance();
        return;
    }
    FDialogs.error(WrongSwitches);
    C.Power->setDown(false);
    setMeter(C.Voltmeter1, false);
    setMeter(C.Voltmeter2, false);
}

void Bench::Unbalance()
{
    FGenerator.seedFromClock(FClock);
    C.Balance->setPosition(int(FGenerator.draw(BenchRules::BalanceDraws)));
    ErrorReport::rethrowPending();
    C.Voltmeter1->setCaption(MeterText::FormatTenths(C.Balance->Position()));
}

void Bench::TB1Change()
{
    C.Voltmeter1->setCaption(MeterText::balance(C.Balance->Position()));
}

void Bench::TB2Change()
{
    const int q = C.InputLevel->Position();
    if (applies(Step::InputOnOutputLabel)) {
        C.Voltmeter2->setCaption(MeterText::FormatTenths(q));
        C.Readings.Output->setCaption(QStringLiteral("U вых = ") + C.Voltmeter2->Caption() + Unit);
    }
    if (applies(Step::InputOnPrimedLabel)) {
        C.Voltmeter2->setCaption(MeterText::FormatTenths(q));
        C.Readings.OutputPrimed->setCaption(primed(1, QStringLiteral("вых = ")) + C.Voltmeter2->Caption() + Unit);
    }
    if (applies(Step::InputOnGeneratorLabel)) {
        C.Voltmeter2->setCaption(MeterText::FormatTenths(q));
        C.Readings.GeneratorOutput->setCaption(QStringLiteral("Uвых.г. = ") + C.Voltmeter2->Caption() + Unit);
    }
}

void Bench::FinishMeasurement(int k, const QString& message)
{
    FJournal.student().setDone(k);
    FDialogs.information(message);
    if (FJournal.student().markWorkIfComplete())
        FDialogs.information(QStringLiteral("Лабораторная работа выполнена."));
    FJournal.WriteStudent();
    C.Power->setDown(false);
    setMeter(C.Voltmeter1, false);
    setMeter(C.Voltmeter2, false);
}

// ---- Switch steps S1 to S5, S8 and S9 ------------------------------------

QString Bench::lightInputReading()
{
    setSwitchCaption(1, true);
    C.Overlays[0]->setVisible(true);
    setMeter(C.Voltmeter2, true);
    C.Voltmeter2->setCaption(QStringLiteral("0,0"));
    FGenerator.seedFromClock(FClock);
    C.InputLevel->setPosition(int(FGenerator.draw(BenchRules::InputDraws)));
    ErrorReport::rethrowPending();
    C.Voltmeter2->setCaption(MeterText::FormatTenths(C.InputLevel->Position()));
    return C.Voltmeter2->Caption();
}

void Bench::ChS1Click()
{
    showSwitch(1);

    // A: the gain's output reading.
    if (applies(Step::GainReading)) {
        C.Readings.Output->setCaption(QStringLiteral("U вых = ") + lightInputReading() + Unit);
    } else if (power()) {
        setSwitchCaption(1, false);
        C.Overlays[0]->setVisible(false);
        setMeter(C.Voltmeter2, false);
        C.Voltmeter2->setCaption(QStringLiteral("0,0"));
    }

    // B: the first input-resistance reading, with or without power.
    if (applies(Step::FirstInputResistanceReading))
        C.Readings.OutputPrimed->setCaption(primed(1, QStringLiteral("вых = ")) + lightInputReading() + Unit);

    // C: input resistance.
    if (applies(Step::InputResistance)) {
        C.Voltmeter2->setCaption(BenchRules::inputResistanceReading(C.InputLevel->Position()));
        C.Readings.OutputDoublePrimed->setCaption(primed(2, QStringLiteral("вых = ")) + C.Voltmeter2->Caption() + Unit);
        C.Results.InputResistance->setCaption(QStringLiteral("Rвх= 360 К"));
        FinishMeasurement(4, QStringLiteral("Входное сопротивление измерено."));
    }

    // D: the first output-resistance reading.
    if (applies(Step::FirstOutputResistanceReading))
        C.Readings.OutputPrimed->setCaption(primed(1, QStringLiteral("вых = ")) + lightInputReading() + Unit);

    // E: the generator reading of the rejection measurement.
    if (applies(Step::GeneratorReading))
        C.Readings.GeneratorOutput->setCaption(QStringLiteral("U вых.г. = ") + lightInputReading() + Unit);
}

void Bench::ChS2Click()
{
    showSwitch(2);
}

void Bench::ChS3Click()
{
    showSwitch(3);
    if (applies(Step::S3Unbalance))
        Unbalance();
}

void Bench::ChS4Click()
{
    showSwitch(4);
    if (applies(Step::S4ClosedUnbalance))
        Unbalance();
    if (applies(Step::S4OpenedUnbalance))
        Unbalance();
}

void Bench::ChS5Click()
{
    showSwitch(5);

    // Turned off with the output loaded: the reading falls to two thirds.
    if (applies(Step::LoadedOutputReading))
        C.Voltmeter2->setCaption(BenchRules::loadedReading(C.Voltmeter2->Caption()));

    // Output resistance.
    if (applies(Step::OutputResistance)) {
        C.Voltmeter2->setCaption(BenchRules::outputResistanceReading(C.InputLevel->Position()));
        C.Readings.OutputDoublePrimed->setCaption(primed(2, QStringLiteral("вых = ")) + C.Voltmeter2->Caption() + Unit);
        C.Results.OutputResistance->setCaption(QStringLiteral("Rвых= 0,2 К"));
        FinishMeasurement(5, QStringLiteral("Выходное сопротивление измерено."));
    }
}

void Bench::ChS8Click()
{
    showSwitch(8);
}

void Bench::ChS9Click()
{
    showSwitch(9);
}

// ---- Switch steps S6 and S7 ----------------------------------------------

void Bench::ChS6Click()
{
    showSwitch(6);

    // A: the first input-current reading.
    if (applies(Step::FirstInputCurrentReading)) {
        C.Voltmeter1->setCaption(QStringLiteral("4"));
        C.Readings.U1Primed->setCaption(primed(1, QStringLiteral("1 = 4 B")));
    }

    // B: S6 turned to the output with S3 on and S4 off: a new unbalance,
    // and S6 stays on the output side.
    if (applies(Step::S6Unbalance)) {
        Unbalance();
        return;
    }

    // C: input currents, whatever the balance.
    if (applies(Step::InputCurrents)) {
        C.Voltmeter1->setCaption(QStringLiteral("5"));
        C.Readings.U1DoublePrimed->setCaption(primed(2, QStringLiteral("1 = 5 B")));
        C.Results.InputCurrent1->setCaption(QStringLiteral("Iвх1 = 50 nA"));
        C.Results.InputCurrent2->setCaption(QStringLiteral("Iвх2 = 100 nA"));
        FinishMeasurement(3, QStringLiteral("Измерение входных токов закончено."));
    }

    // D: offset voltage.
    if (applies(Step::OffsetVoltage)) {
        C.Voltmeter1->setCaption(QStringLiteral("3"));
        C.Readings.U1->setCaption(QStringLiteral("U1 = 3 B"));
        C.Results.OffsetVoltage->setCaption(QStringLiteral("Uсм = 0,003 В  "));
        FinishMeasurement(2, QStringLiteral("Напряжение смещения определено."));
        return;
    }

    // E: with the power on S6 is held on the input side.
    if (power()) {
        setSwitchCaption(6, false);
        C.Overlays[5]->setVisible(false);
        setSwitchOff(6);
    }
}

void Bench::ChS7Click()
{
    showSwitch(7);

    // A: gain; otherwise, with the power on, S7 is held on the input side.
    if (applies(Step::Gain)) {
        setSwitchCaption(7, true); // the overlay stays hidden
        C.Voltmeter2->setCaption(MeterText::hundredths(C.InputLevel->Position()));
        C.Readings.GeneratorOutput->setCaption(QStringLiteral("Uвых.г = ") + C.Voltmeter2->Caption() + Unit);
        C.Results.GainBase->setVisible(true);
        C.Results.GainExponent->setVisible(true);
        FinishMeasurement(1, QStringLiteral("Коэффициент усиления определен."));
    } else if (power()) {
        setSwitchCaption(7, false);
        C.Overlays[6]->setVisible(false);
        setSwitchOff(7);
    }

    // B: common-mode rejection.
    if (applies(Step::CommonModeRejection)) {
        C.Readings.Output->setCaption(QStringLiteral("U вых = ") + BenchRules::rejectionReading(C.InputLevel->Position()) + Unit);
        C.Results.CommonModeGain->setVisible(true);
        C.Results.Rejection->setCaption(QStringLiteral("Кос.сф = 60 Дб"));
        FinishMeasurement(6, QStringLiteral("Коэффициент ослабления синфазного сигнала измерен."));
    }
}
