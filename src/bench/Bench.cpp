#include "bench/Bench.h"

#include "platform/controls/Dialogs.h"
#include "platform/controls/ErrorReport.h"
#include "admission/RandomGenerator.h"
#include "journal/Journal.h"
#include "bench/MeterText.h"
#include "platform/NumberText.h"
#include "platform/controls/TImage.h"
#include "platform/controls/TLabel.h"
#include "platform/controls/TSpeedButton.h"
#include "platform/controls/TStaticText.h"
#include "platform/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

namespace {

const QString WrongSwitches = QStringLiteral("Неправильно установлены тумблеры.");
const QString Unit = QStringLiteral(" B"); // a blank and the Latin capital B

// "U", grave accents, then the rest: the primed and double-primed texts.
QString primed(int accents, const QString& rest)
{
    return QStringLiteral("U") + QString(accents, QChar(0x60)) + rest;
}

// The power-on switch set of each parameter box, S1 first.
const char* const PowerOnSets[6] = {
    "011111100", // CB1 gain
    "011111000", // CB2 offset voltage: S7 on Uвх
    "011111000", // CB3 input currents: S7 on Uвх
    "011111100", // CB4 input resistance
    "011111100", // CB5 output resistance
    "011111100", // CB6 common-mode rejection
};

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
    C.STP1->setCaption(QString());
    C.STP2->setCaption(QString());
}

bool Bench::on(int n) const
{
    return C.ChS[n - 1]->Checked();
}

bool Bench::ticked(int k) const
{
    return C.CB[k - 1]->Checked();
}

bool Bench::power() const
{
    return C.SpeedButton1->Down();
}

bool Bench::balanced() const
{
    return C.TB1->Position() == 0;
}

bool Bench::switches(const char* pattern) const
{
    for (int n = 1; n <= 9; ++n) {
        const char want = pattern[n - 1];
        if (want != '-' && on(n) != (want == '1'))
            return false;
    }
    return true;
}

void Bench::setSwitchCaption(int n, bool checkedCaption)
{
    QString caption;
    if (n == 6 || n == 7)
        caption = QStringLiteral("S%1 %2").arg(n).arg(checkedCaption ? QStringLiteral("Uвых") : QStringLiteral("Uвх"));
    else
        caption = QStringLiteral("S%1 %2").arg(n).arg(checkedCaption ? QStringLiteral("вкл.") : QStringLiteral("выкл."));
    C.ChS[n - 1]->setCaption(caption);
}

void Bench::showSwitch(int n)
{
    const bool checked = on(n);
    setSwitchCaption(n, checked);
    C.IS[n - 1]->setVisible(checked);
}

void Bench::setSwitchOff(int n)
{
    C.ChS[n - 1]->setChecked(false);
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
        setMeter(C.STP1, false);
        setMeter(C.STP2, false);
        return;
    }
    int count = 0;
    int box = 0;
    for (int k = 1; k <= 6; ++k) {
        if (ticked(k)) {
            ++count;
            box = k;
        }
    }
    if (count != 1) {
        FDialogs.error(WrongSwitches);
        C.SpeedButton1->setDown(false);
        return;
    }
    if (switches(PowerOnSets[box - 1])) {
        setMeter(C.STP1, true);
        Unbalance();
        return;
    }
    FDialogs.error(WrongSwitches);
    C.SpeedButton1->setDown(false);
    setMeter(C.STP1, false);
    setMeter(C.STP2, false);
}

void Bench::Unbalance()
{
    FGenerator.seedFromClock(FClock);
    C.TB1->setPosition(int(FGenerator.draw(50)));
    ErrorReport::rethrowPending();
    C.STP1->setCaption(MeterText::FormatTenths(C.TB1->Position()));
}

void Bench::TB1Change()
{
    C.STP1->setCaption(MeterText::balance(C.TB1->Position()));
}

void Bench::TB2Change()
{
    const int q = C.TB2->Position();
    if (!ticked(4) && !ticked(5) && !ticked(6) && on(1) && power()) {
        C.STP2->setCaption(MeterText::FormatTenths(q));
        C.Label2->setCaption(QStringLiteral("U вых = ") + C.STP2->Caption() + Unit);
    }
    if (on(1) && (ticked(4) || ticked(5)) && power()) {
        C.STP2->setCaption(MeterText::FormatTenths(q));
        C.Label12->setCaption(primed(1, QStringLiteral("вых = ")) + C.STP2->Caption() + Unit);
    }
    if (on(1) && ticked(6) && power()) {
        C.STP2->setCaption(MeterText::FormatTenths(q));
        C.Label4->setCaption(QStringLiteral("Uвых.г. = ") + C.STP2->Caption() + Unit);
    }
}

void Bench::FinishMeasurement(int k, const QString& message)
{
    FJournal.student().setDone(k);
    FDialogs.information(message);
    if (FJournal.student().markWorkIfComplete())
        FDialogs.information(QStringLiteral("Лабораторная работа выполнена."));
    FJournal.WriteStudent();
    C.SpeedButton1->setDown(false);
    setMeter(C.STP1, false);
    setMeter(C.STP2, false);
}

// ---- Switch steps S1 to S5, S8 and S9 ------------------------------------

QString Bench::lightInputReading()
{
    setSwitchCaption(1, true);
    C.IS[0]->setVisible(true);
    setMeter(C.STP2, true);
    C.STP2->setCaption(QStringLiteral("0,0"));
    FGenerator.seedFromClock(FClock);
    C.TB2->setPosition(int(FGenerator.draw(100)));
    ErrorReport::rethrowPending();
    C.STP2->setCaption(MeterText::FormatTenths(C.TB2->Position()));
    return C.STP2->Caption();
}

void Bench::ChS1Click()
{
    showSwitch(1);

    // A: the gain's output reading.
    if (ticked(1) && power() && balanced() && switches("111111100")) {
        C.Label2->setCaption(QStringLiteral("U вых = ") + lightInputReading() + Unit);
    } else if (power()) {
        setSwitchCaption(1, false);
        C.IS[0]->setVisible(false);
        setMeter(C.STP2, false);
        C.STP2->setCaption(QStringLiteral("0,0"));
    }

    // B: the first input-resistance reading, with or without power.
    if (ticked(4) && switches("111111100"))
        C.Label12->setCaption(primed(1, QStringLiteral("вых = ")) + lightInputReading() + Unit);

    // C: input resistance.
    if (ticked(4) && power() && balanced() && switches("110011100")) {
        C.STP2->setCaption(NumberText::formatPattern(QStringLiteral("#.##"), C.TB2->Position() * 0.09L));
        C.Label13->setCaption(primed(2, QStringLiteral("вых = ")) + C.STP2->Caption() + Unit);
        C.Label14->setCaption(QStringLiteral("Rвх= 360 К"));
        FinishMeasurement(4, QStringLiteral("Входное сопротивление измерено."));
    }

    // D: the first output-resistance reading.
    if (ticked(5) && power() && balanced() && switches("111111100"))
        C.Label12->setCaption(primed(1, QStringLiteral("вых = ")) + lightInputReading() + Unit);

    // E: the generator reading of the rejection measurement.
    if (ticked(6) && power() && balanced() && switches("111111100"))
        C.Label4->setCaption(QStringLiteral("U вых.г. = ") + lightInputReading() + Unit);
}

void Bench::ChS2Click()
{
    showSwitch(2);
}

void Bench::ChS3Click()
{
    showSwitch(3);
    if (ticked(3) && balanced() && power() && switches("01-111000"))
        Unbalance();
}

void Bench::ChS4Click()
{
    showSwitch(4);
    if (on(4) && !on(2) && balanced() && on(5))
        Unbalance();
    if (ticked(4) && power() && balanced() && switches("010011100"))
        Unbalance();
}

void Bench::ChS5Click()
{
    showSwitch(5);

    // Turned off with the output loaded: the reading falls to two thirds.
    if (!on(5) && power() && switches("1000-11--")) {
        const long double u = MeterText::readBack(C.STP2->Caption());
        C.STP2->setCaption(NumberText::formatFixed(u * 2.0L / 3.0L, 5));
    }

    // Output resistance.
    if (ticked(5) && power() && balanced() && switches("111101100")) {
        C.STP2->setCaption(NumberText::formatPattern(QStringLiteral("#.##"), C.TB2->Position() * 0.11L));
        C.Label13->setCaption(primed(2, QStringLiteral("вых = ")) + C.STP2->Caption() + Unit);
        C.Label15->setCaption(QStringLiteral("Rвых= 0,2 К"));
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
    if (ticked(3) && balanced() && power() && switches("010110000")) {
        C.STP1->setCaption(QStringLiteral("4"));
        C.Label7->setCaption(primed(1, QStringLiteral("1 = 4 B")));
    }

    // B: S6 turned to the output with S3 on and S4 off: a new unbalance,
    // and S6 stays on the output side.
    if (ticked(3) && power() && switches("011011000")) {
        Unbalance();
        return;
    }

    // C: input currents, whatever the balance.
    if (ticked(3) && power() && switches("011010000")) {
        C.STP1->setCaption(QStringLiteral("5"));
        C.Label9->setCaption(primed(2, QStringLiteral("1 = 5 B")));
        C.Label10->setCaption(QStringLiteral("Iвх1 = 50 nA"));
        C.Label11->setCaption(QStringLiteral("Iвх2 = 100 nA"));
        FinishMeasurement(3, QStringLiteral("Измерение входных токов закончено."));
    }

    // D: offset voltage.
    if (ticked(2) && balanced() && power() && switches("011110000")) {
        C.STP1->setCaption(QStringLiteral("3"));
        C.Label8->setCaption(QStringLiteral("U1 = 3 B"));
        C.Label1->setCaption(QStringLiteral("Uсм = 0,003 В  "));
        FinishMeasurement(2, QStringLiteral("Напряжение смещения определено."));
        return;
    }

    // E: with the power on S6 is held on the input side.
    if (power()) {
        setSwitchCaption(6, false);
        C.IS[5]->setVisible(false);
        setSwitchOff(6);
    }
}

void Bench::ChS7Click()
{
    showSwitch(7);

    // A: gain; otherwise, with the power on, S7 is held on the input side.
    const int q = C.TB2->Position();
    if (ticked(1) && power() && balanced() && q > 70 && q < 80 && switches("111111000")) {
        setSwitchCaption(7, true); // the overlay stays hidden
        C.STP2->setCaption(MeterText::hundredths(q));
        C.Label4->setCaption(QStringLiteral("Uвых.г = ") + C.STP2->Caption() + Unit);
        C.Label20->setVisible(true);
        C.Label21->setVisible(true);
        FinishMeasurement(1, QStringLiteral("Коэффициент усиления определен."));
    } else if (power()) {
        setSwitchCaption(7, false);
        C.IS[6]->setVisible(false);
        setSwitchOff(7);
    }

    // B: common-mode rejection.
    if (ticked(6) && power() && balanced() && switches("111111011")) {
        C.Label2->setCaption(QStringLiteral("U вых = ")
                             + NumberText::formatPattern(QStringLiteral("#.###"), C.TB2->Position() * 0.001L)
                             + Unit);
        C.Label22->setVisible(true);
        C.Label17->setCaption(QStringLiteral("Кос.сф = 60 Дб"));
        FinishMeasurement(6, QStringLiteral("Коэффициент ослабления синфазного сигнала измерен."));
    }
}
