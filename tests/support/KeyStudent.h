#pragma once

#include <QString>

#include <Qt>

class QWidget;
class WindowDriver;

// A student at the real main window with the keyboard alone: every step is
// a key sent to the control that has the focus, as the keyboard sends it;
// the window is only read. Controls are reached with Tab (or Shift+Tab),
// buttons and switches worked with Space and Enter, the sliders and the
// answers with the arrow keys.
class KeyStudent
{
public:
    // Makes the driver's window the active one, so that keys reach it.
    explicit KeyStudent(WindowDriver& window);

    QWidget* focused() const;
    QString focusedName() const;
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const;
    void type(const QString& text) const;
    // Tab (Shift+Tab when backwards) until the named control has the
    // focus; false when two rounds of the page do not bring it there.
    bool reach(const QString& name, bool backwards = false) const;
    // The control reached and the key pressed on it.
    bool work(const QString& name, Qt::Key key = Qt::Key_Space) const;

    // From the intro page: the name and code typed, "Регистрация".
    bool registerStudent(const QString& name, const QString& code) const;
    // The answer box of the right answer checked with the arrow keys from
    // the first box, then "OK"; ten times from the test page.
    bool answerRight() const;
    // The bench: the switch turned when it stands otherwise, a slider
    // moved with the arrow keys.
    bool setSwitch(int n, bool on) const;
    bool moveSlider(const QString& name, int position) const;
    // One measurement from a switched-off bench as the instructions give
    // it, written as steps: "tick2" (box 2 alone), "set011111000" (the
    // switches S1 first), "power", "balance", "S6-" / "S6+", "input75".
    bool carryOut(const QString& steps) const;

private:
    WindowDriver& Window;
};
