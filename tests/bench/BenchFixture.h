#pragma once

#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeProgramEnd.h"
#include "support/LabFolder.h"
#include "support/StudentActions.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QTestData;
class QWidget;
class TForm1;
class TImage;
class TLabel;
class TSpeedButton;
class TStaticText;
class TTrackBar;
class TdxfCheckBox;

// A student at the bench: the real main window, built with fake message
// boxes, clock and program end in a scratch lab folder, and driven through
// its controls as a student drives it (mouse clicks on switches, boxes and
// buttons, arrow keys on the sliders). The random draws of the bench are
// steered through the clock, from which the bench seeds its generator.
class BenchFixture
{
public:
    BenchFixture();
    ~BenchFixture();

    BenchFixture(const BenchFixture&) = delete;
    BenchFixture& operator=(const BenchFixture&) = delete;

    TForm1& form() { return *Form; }

    // "Далее...", the name and code typed, "Регистрация".
    void registerStudent(const QString& name, const QString& code);
    // "Далее..." to the test, then each of the ten questions answered
    // right and "OK" pressed.
    void passTest();
    // Both, with the message boxes taken; true when the window stands on
    // the bench page after the one box of a passed test.
    bool reachBench(const QString& name = QStringLiteral("Иванов И.И."),
                    const QString& code = QStringLiteral("42"));

    // The controls by their names.
    QWidget* widget(const QString& name) const;
    TdxfCheckBox* sw(int n) const;      // ChS1 ... ChS9
    TImage* overlay(int n) const;       // IS1 ... IS9
    TdxfCheckBox* box(int k) const;     // CB1 ... CB6
    TLabel* label(int n) const;         // LabelN
    TStaticText* meter(int n) const;    // STP1, STP2
    TSpeedButton* powerButton() const;  // SpeedButton1
    TTrackBar* balanceSlider() const;   // TB1
    TTrackBar* inputSlider() const;     // TB2

    // Student actions, those of the shared student's among them.
    static void click(QWidget* control) { StudentActions::click(control); }
    void click(const QString& name) { click(widget(name)); }
    // The switch clicked when it stands otherwise.
    void setSwitch(int n, bool on) { Student->setSwitch(n, on); }
    // All nine switches, S1 first: '1' on (S6, S7: Uвых), '0' off, '-' as
    // they stand. Switched in the order S1 ... S9.
    void setSwitches(const char* pattern);
    // The parameter box clicked when it is not ticked.
    void tick(int k);
    void pressPower() { Student->power(); }
    // The switch set that power-on accepts for box k, S1 first.
    static const char* powerOnSet(int k);
    // Box k ticked, its switch set made, and the power switched on with
    // the random balance steered to `drawn` (0: balanced by chance).
    void powerOnFor(int k, int drawn);
    // The balance slider brought to 0 with the arrow keys.
    void balance() { Student->balance(); }
    // The input slider moved to q with the arrow keys.
    void moveInput(int q) { Student->setInputLevel(q); }

    // What the switches show: "1" for checked, "0" for not, S1 first.
    QString switchStates() const;
    QString meterColour(int n) const;   // "clLime", "clGray"
    bool powerOn() const;

    // Sets the clock so that the bench's next reseeding makes its first
    // draw below n come out as value.
    void steerDraw(int n, int value);

    // Test data: one row for a comma and one for a point as the regional
    // decimal separator, named "<name>, comma" and "<name>, point"; the
    // separator is the first column, `row` adds the others.
    static void addSeparatorRows(const char* name, const std::function<void(QTestData&)>& row);

    // The journal file as it lies on disk.
    QByteArray journalBytes() const;
    // The flags Done1 ... Done6 of a record on disk ("+-----"; '?' for an
    // empty flag) and its WorkMark.
    QString doneFlags(int record = 0) const;
    QString workMark(int record = 0) const;

    FakeDialogs Dialogs;
    FakeClock Clock;
    FakeProgramEnd ProgramEnd;
    LabFolder Lab;

private:
    std::unique_ptr<TForm1> Form;
    std::unique_ptr<StudentActions> Student;
};
