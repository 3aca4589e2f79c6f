#pragma once

#include "bench/rules/BenchRules.h"

#include <QObject>
#include <QString>

#include <array>

class Clock;
class Dialogs;
class RandomGenerator;
class Journal;
class TdxfCheckBox;
class TImage;
class TLabel;
class TSpeedButton;
class TStaticText;
class TTrackBar;

// The virtual bench: the power button, the two voltmeters, the balance and
// input sliders, and the switch handlers whose steps carry out the six
// measurements. The bench keeps no state of its own beyond its controls and
// the student's working journal record: every condition is read from the
// controls at the moment a step runs and decided by the bench's rules; the
// handlers write what the rules say to the controls.
class Bench : public QObject
{
    Q_OBJECT

public:
    // The readings written beside the diagram as a measurement goes on,
    // each named for the voltage it shows.
    struct ReadingLabels
    {
        TLabel* Output = nullptr;             // "U вых = "
        TLabel* GeneratorOutput = nullptr;    // "U вых.г. = "
        TLabel* U1 = nullptr;                 // "U1 = ", of the offset voltage
        TLabel* U1Primed = nullptr;           // "U'1 = ", the first of the input currents
        TLabel* U1DoublePrimed = nullptr;     // "U''1 = ", the second
        TLabel* OutputPrimed = nullptr;       // "U'вых = ", the first of the resistances
        TLabel* OutputDoublePrimed = nullptr; // "U''вых = ", the second
    };

    // The results of the measurements, beside their symbols.
    struct ResultLabels
    {
        TLabel* GainBase = nullptr;         // "10" after "K = ", shown when the gain is measured
        TLabel* GainExponent = nullptr;     // its exponent, "4"
        TLabel* OffsetVoltage = nullptr;    // "Uсм = "
        TLabel* InputCurrent1 = nullptr;    // "Iвх1 = "
        TLabel* InputCurrent2 = nullptr;    // "Iвх2 = "
        TLabel* InputResistance = nullptr;  // "Rвх= "
        TLabel* OutputResistance = nullptr; // "Rвых= "
        TLabel* CommonModeGain = nullptr;   // "10" after "Ксф = ", shown with the rejection
        TLabel* Rejection = nullptr;        // "Ксфос= "
    };

    // The controls the bench reads and writes, named for what they show;
    // the main window maps its stored names to them.
    struct Controls
    {
        std::array<TdxfCheckBox*, 9> Switches {}; // S1 ... S9
        std::array<TImage*, 9> Overlays {};       // the switches' overlays on the diagram
        std::array<TdxfCheckBox*, 6> Parameters {}; // the parameter to measure, one box each
        TSpeedButton* Power = nullptr;
        TTrackBar* Balance = nullptr;
        TTrackBar* InputLevel = nullptr;
        TStaticText* Voltmeter1 = nullptr;
        TStaticText* Voltmeter2 = nullptr;
        ReadingLabels Readings;
        ResultLabels Results;
    };

    Bench(const Controls& controls, Journal& journal, RandomGenerator& generator, Clock& clock,
          Dialogs& dialogs, QObject* parent = nullptr);

    // Empties both voltmeters, as the window does once at start.
    void emptyMeters();

    // The handlers, named after the stored form's controls and events.
public slots:
    // The power button: switched on, checks the switches and the parameter.
    void SpeedButton1Click();
    // The balance slider: voltmeter 1 reads the amplifier's balance.
    void TB1Change();
    // The input-level slider: voltmeter 2 and the reading under way follow it.
    void TB2Change();
    // S1: the input reading of the gain, the resistances and the rejection.
    void ChS1Click();
    // S2: its caption and overlay.
    void ChS2Click();
    // S3: a new unbalance at its step.
    void ChS3Click();
    // S4: a new unbalance at its steps, closed or opened.
    void ChS4Click();
    // S5: the loaded output, and the output resistance.
    void ChS5Click();
    // S6: the input currents and the offset voltage.
    void ChS6Click();
    // S7: the gain and the common-mode rejection.
    void ChS7Click();
    // S8: its caption and overlay.
    void ChS8Click();
    // S9: its caption and overlay.
    void ChS9Click();

public:
    // Puts the amplifier out of balance at random: a new balance position
    // 0 ... 49 and its reading on voltmeter 1.
    void Unbalance();
    // Records measurement k (1 ... 6) in the journal, tells the student and
    // switches the bench off.
    void FinishMeasurement(int k, const QString& message);

private:
    // The controls' positions now, and whether a step applies to them.
    BenchRules::State state() const;
    bool applies(BenchRules::Step step) const;
    bool power() const;

    // The caption-and-overlay step every switch handler begins with.
    void showSwitch(int n);
    void setSwitchCaption(int n, bool checkedCaption);
    // Sets a switch back from code; its handler runs again, nested.
    void setSwitchOff(int n);

    void setMeter(TStaticText* meter, bool live);
    // S1's reading of the input level: lights voltmeter 2 with a random
    // input level and returns its text.
    QString lightInputReading();

    Controls C;
    Journal& FJournal;
    RandomGenerator& FGenerator;
    Clock& FClock;
    Dialogs& FDialogs;
};
