#pragma once

#include <QString>

#include <array>

// The rules of the bench apart from its window: the switch set power-on
// accepts for each parameter, the condition under which each step of the
// switch and slider handlers applies, the switch captions and the
// arithmetic of the readings. The conditions are read over a plain state,
// the positions of the controls at the moment a step runs.
class BenchRules
{
public:
    // What the conditions read.
    struct State
    {
        std::array<bool, 9> Switches {}; // S1 ... S9 closed (S6, S7: on Uвых)
        std::array<bool, 6> Boxes {};    // CB1 ... CB6 ticked
        bool Power = false;              // the power button down
        int Balance = 0;                 // TB1, -50 ... 50; 0 is balanced
        int Input = 0;                   // TB2, 0 ... 100
    };

    // The steps that apply only under their condition, by handler.
    enum class Step {
        // TB2Change: which result label follows the input level.
        InputOnOutputLabel,
        InputOnPrimedLabel,
        InputOnGeneratorLabel,
        // ChS1Click
        GainReading,
        FirstInputResistanceReading,
        InputResistance,
        FirstOutputResistanceReading,
        GeneratorReading,
        // ChS3Click, ChS4Click
        S3Unbalance,
        S4ClosedUnbalance,
        S4OpenedUnbalance,
        // ChS5Click
        LoadedOutputReading,
        OutputResistance,
        // ChS6Click
        FirstInputCurrentReading,
        S6Unbalance,
        InputCurrents,
        OffsetVoltage,
        // ChS7Click
        Gain,
        CommonModeRejection,
    };

    // Power-on: refused for the boxes ticked (not exactly one), refused for
    // the switches, or accepted.
    enum class PowerOn { WrongBoxes, WrongSwitches, Accepted };

    // The draws of the bench: a new balance below 50, an input level below 100.
    static constexpr int BalanceDraws = 50;
    static constexpr int InputDraws = 100;

    explicit BenchRules(const State& state)
        : S(state)
    {
    }

    PowerOn powerOn() const;
    bool applies(Step step) const;

    // The power-on switch set of box k (1 ... 6), S1 first: '1' on (S6,
    // S7: Uвых), '0' off.
    static const char* powerOnSet(int k);
    // The caption of switch n checked or not: "S1 вкл.", "S6 Uвх"...
    static QString switchCaption(int n, bool checked);

    // The readings of the measurements' last steps, from the input level:
    // two decimals of input x 0.09 and x 0.11, three of input x 0.001, with
    // the regional separator.
    static QString inputResistanceReading(int input);
    static QString outputResistanceReading(int input);
    static QString rejectionReading(int input);
    // A voltmeter text read back and brought to two thirds, as the loaded
    // output reads: five decimals, the regional separator.
    static QString loadedReading(const QString& shown);

private:
    bool on(int n) const { return S.Switches[size_t(n - 1)]; }
    bool ticked(int k) const { return S.Boxes[size_t(k - 1)]; }
    bool balanced() const { return S.Balance == 0; }
    // Whether the switches stand as the pattern says, S1 first: '1' on,
    // '0' off, '-' either way.
    bool switches(const char* pattern) const;

    State S;
};
