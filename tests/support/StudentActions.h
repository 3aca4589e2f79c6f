#pragma once

#include <QString>

class QWidget;
class TForm1;

// Drives the real main window as a student does: clicks on the controls,
// typing, slider moves. Shared by the tests that walk whole runs and by the
// screenshot program.
class StudentActions
{
public:
    explicit StudentActions(TForm1& form);

    static void click(QWidget* control);
    QWidget* control(const char* name) const;

    // Page "1_1" to the test page: "Далее...", the two fields,
    // "Регистрация", "Далее...".
    void registerAndOpenTest(const QString& name, const QString& code);
    // Answers the question on show: the right box when `right`, another
    // one otherwise; then "OK".
    void answer(bool right);
    // Answers all ten questions, the first `rightAnswers` of them right.
    void takeTest(int rightAnswers);

    // The bench: ticks exactly box k (1 ... 6) and sets the switches with
    // the power off to the pattern ('1' on or Uвых, '0' off, S1 first).
    void prepare(int box, const char* switches);
    void setSwitch(int n, bool on);
    void power();
    void balance();
    void setInputLevel(int position);

    // The six measurement procedures from a switched-off bench, step by
    // step as the instructions give them.
    void measureGain(int inputLevel = 75);
    void measureOffsetVoltage();
    void measureInputCurrents();
    void measureInputResistance();
    void measureOutputResistance();
    void measureCommonModeRejection();
    void measureAll();

private:
    TForm1& Form;
};
