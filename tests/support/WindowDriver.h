#pragma once

#include "support/BankFixture.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrintSetup.h"
#include "support/FakeProgramEnd.h"
#include "support/LabFolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QTestData;
class QWidget;
class TForm1;
class TImage;
class TLabel;
class TSpeedButton;
class TStaticText;
class TTrackBar;
class TdxfCheckBox;
class TdxfTimer;

// A student at the real main window: the window built on fake message
// boxes, clock, program end and print dialog in a lab folder, and driven
// through its controls as a student drives it (mouse clicks on buttons,
// boxes and switches, typing, arrow keys on the sliders). The window tests
// and the screenshot walk share it. The program's random draws are steered
// through the clock, from which it seeds its generator.
class WindowDriver
{
public:
    struct Setup
    {
        // The files of the build's lab folder copied into a scratch one;
        // all of them when none is named.
        QStringList LabFiles;
        // The current folder is the lab folder, as for the program itself.
        bool CurrentFolder = false;
        // The window is built at once; otherwise by start(), once the lab
        // folder holds what the test wants.
        bool StartNow = true;
    };

    WindowDriver();
    explicit WindowDriver(const Setup& setup);
    ~WindowDriver();

    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    // Builds the main window and shows it.
    void start();
    TForm1& form() const { return *Form; }

    // The lab folder's files.
    QString file(const QString& name) const;
    bool copyFromLab(const QString& name) const;
    QByteArray journalBytes() const;
    void writeBanks(const fixture::Bank& first, const fixture::Bank& second, const QByteArray& firstTail = {},
                    const QByteArray& secondTail = {}) const;

    // The controls by their names.
    QWidget* widget(const QString& name) const;
    template <class T>
    T* control(const QString& name) const
    {
        T* found = qobject_cast<T*>(widget(name));
        if (!found)
            qFatal("%s is not of the kind asked for", qPrintable(name));
        return found;
    }
    QString page() const;                 // the active page of Nb1
    QString number() const;               // ST1, "Вопрос № n"
    QString questionText() const;         // ST2
    QStringList answers() const;          // glStaticText1 ... 4
    TdxfCheckBox* answerBox(int n) const; // dxf1 ... dxf4
    TdxfTimer* timer() const;             // dxfTimer1
    TdxfCheckBox* sw(int n) const;        // ChS1 ... ChS9
    TImage* overlay(int n) const;         // IS1 ... IS9
    TdxfCheckBox* box(int k) const;       // CB1 ... CB6
    TLabel* label(int n) const;           // LabelN
    TStaticText* meter(int n) const;      // STP1, STP2
    TSpeedButton* powerButton() const;    // SpeedButton1
    TTrackBar* balanceSlider() const;     // TB1
    TTrackBar* inputSlider() const;       // TB2

    static void click(QWidget* control);
    void click(const QString& name) const { click(widget(name)); }

    // From the intro page (or the registration page): the name and code
    // typed, "Регистрация".
    void registerStudent(const QString& name = QStringLiteral("Иванов И.И."),
                         const QString& code = QStringLiteral("42"));
    // A fresh window brought to a page by the mouse: "1" registration,
    // "1_2" theory, "2" the test, "3" the bench; true when it stands there.
    bool openPage(const QString& page);
    // "Далее..." from the theory page to the test.
    void openTest() const { click(QStringLiteral("dxfColorButton3")); }
    void startTest(const QString& name = QStringLiteral("Иванов И.И."), const QString& code = QStringLiteral("42"));

    // The question on show, found by its text in the bank it is drawn from
    // (questions 1 to 5 "Qest.txt", 6 to 10 "Qest1.txt") as the lab folder
    // holds it now; none when it is not there.
    std::optional<QuestionRecord> questionOnShow() const;
    int rightAnswerOnShow() const;
    // Checks box n by a click, unless it is checked already; the group
    // releases the others.
    void choose(int n) const;
    // Leaves no box checked: a click on the checked one lets it up.
    void chooseNone() const;
    // Checks the right box, or the one after it; an answer out of 1 ... 4
    // leaves the boxes alone.
    void chooseAnswer(bool right) const;
    void ok(int times = 1) const;
    void answer(bool right) const;
    // Answers all ten questions, the first `rightAnswers` of them right.
    void takeTest(int rightAnswers) const;
    // "Далее..." to the test, and every question answered right.
    void passTest() const;
    // Registered and through the test with the message boxes taken; true
    // when the window stands on the bench after the one box of a pass.
    bool reachBench(const QString& name = QStringLiteral("Иванов И.И."),
                    const QString& code = QStringLiteral("42"));
    // Whether the countdown's interval timer runs: without it no time is
    // counted, however far the clock moves.
    bool countdownTicks() const;

    // The bench. A click on the header of the outlook bar's group n: 1 the
    // bench, 2 the instructions.
    void showGroup(int n) const;
    // The switch clicked when it stands otherwise.
    void setSwitch(int n, bool on) const;
    // All nine switches, S1 first: '1' on (S6, S7: Uвых), '0' off, '-' as
    // they stand. Switched in the order S1 ... S9.
    void setSwitches(const char* pattern) const;
    // The parameter box clicked when it is not ticked.
    void tick(int k) const;
    // Box k ticked and every other box not.
    void tickOnly(int k) const;
    void pressPower() const { click(QStringLiteral("SpeedButton1")); }
    // The switch set that power-on accepts for box k, S1 first.
    static const char* powerOnSet(int k);
    // Box k ticked, its switch set made, and the power switched on with
    // the random balance steered to `drawn` (0: balanced by chance).
    void powerOnFor(int k, int drawn);
    // Box k alone ticked, its switch set made, the power switched on and
    // the balance brought back to 0.
    void startMeasurement(int k) const;
    // Box k from a switched-off bench to S1's first reading: the power on
    // with the balance drawn as `drawn` and brought back to 0, then S1
    // closed with the input level drawn as `input`.
    void firstReading(int k, int drawn, int input);
    // The balance slider brought to 0, the input slider moved to q, with
    // the arrow keys.
    void balance() const;
    void moveInput(int q) const;
    // Sets the clock so that the program's next reseeding makes its first
    // draw below n come out as value.
    void steerDraw(int n, int value);

    // The six measurements from a switched-off bench, step by step as the
    // instructions give them.
    void measureOffsetVoltage() const;
    void measureInputCurrents() const;
    void measureInputResistance() const;
    void measureOutputResistance() const;
    void measureCommonModeRejection() const;

    // What the switches show: "1" for checked, "0" for not, S1 first.
    QString switchStates() const;
    QString meterColour(int n) const;   // "clLime", "clGray"
    bool powerOn() const;
    // The bench after a finished measurement: the power off, both meters dark.
    bool switchedOff() const;
    // The flags Done1 ... Done6 of a record on disk ("+-----"; '?' for an
    // empty flag) and its WorkMark.
    QString doneFlags(int record = 0) const;
    QString workMark(int record = 0) const;

    // The controls named that a paint event reaches once the event loop
    // has run after `action`: what of a change reaches the screen.
    QStringList repainted(const std::function<void()>& action, const QStringList& names) const;

    // Test data: one row for a comma and one for a point as the regional
    // decimal separator, named "<name>, comma" and "<name>, point"; the
    // separator is the first column, `row` adds the others.
    static void addSeparatorRows(const char* name, const std::function<void(QTestData&)>& row);

    FakeDialogs Dialogs;
    FakeClock Clock;
    FakeProgramEnd ProgramEnd;
    FakePrintSetup Print;

private:
    std::optional<LabFolder> Lab;
    std::unique_ptr<TForm1> Form;
};
