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
    // The controls the bench reads and writes, given by the main window.
    struct Controls
    {
        std::array<TdxfCheckBox*, 9> ChS {};  // switches S1 ... S9
        std::array<TImage*, 9> IS {};         // their overlays on the diagram
        std::array<TdxfCheckBox*, 6> CB {};   // parameter boxes
        TSpeedButton* SpeedButton1 = nullptr; // power
        TTrackBar* TB1 = nullptr;             // balance
        TTrackBar* TB2 = nullptr;             // input level
        TStaticText* STP1 = nullptr;          // voltmeter 1
        TStaticText* STP2 = nullptr;          // voltmeter 2
        TLabel* Label1 = nullptr;
        TLabel* Label2 = nullptr;
        TLabel* Label4 = nullptr;
        TLabel* Label7 = nullptr;
        TLabel* Label8 = nullptr;
        TLabel* Label9 = nullptr;
        TLabel* Label10 = nullptr;
        TLabel* Label11 = nullptr;
        TLabel* Label12 = nullptr;
        TLabel* Label13 = nullptr;
        TLabel* Label14 = nullptr;
        TLabel* Label15 = nullptr;
        TLabel* Label17 = nullptr;
        TLabel* Label20 = nullptr;
        TLabel* Label21 = nullptr;
        TLabel* Label22 = nullptr;
    };

    Bench(const Controls& controls, Journal& journal, RandomGenerator& generator, Clock& clock,
          Dialogs& dialogs, QObject* parent = nullptr);

    // Empties both voltmeters, as the window does once at start.
    void emptyMeters();

public slots:
    void SpeedButton1Click();
    void TB1Change();
    void TB2Change();
    void ChS1Click();
    void ChS2Click();
    void ChS3Click();
    void ChS4Click();
    void ChS5Click();
    void ChS6Click();
    void ChS7Click();
    void ChS8Click();
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
