#include "support/KeyStudent.h"

#include "support/WindowDriver.h"
#include "app/Unit1.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include <QApplication>
#include <QTest>

KeyStudent::KeyStudent(WindowDriver& window)
    : Window(window)
{
    Window.form().activateWindow();
    if (!QTest::qWaitForWindowActive(&Window.form()))
        qFatal("the window does not become active");
}

QWidget* KeyStudent::focused() const
{
    return QApplication::focusWidget();
}

QString KeyStudent::focusedName() const
{
    return focused() ? focused()->objectName() : QString();
}

void KeyStudent::press(Qt::Key key, Qt::KeyboardModifiers modifiers) const
{
    // With no control focused the window itself takes the key.
    QWidget* target = focused() ? focused() : &Window.form();
    QTest::keyClick(target, key, modifiers);
}

void KeyStudent::type(const QString& text) const
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

bool KeyStudent::reach(const QString& name, bool backwards) const
{
    for (int i = 0; i < 80 && focusedName() != name; ++i)
        press(backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    return focusedName() == name;
}

bool KeyStudent::work(const QString& name, Qt::Key key) const
{
    if (!reach(name))
        return false;
    press(key);
    return true;
}

bool KeyStudent::registerStudent(const QString& name, const QString& code) const
{
    if (!work(QStringLiteral("dxfColorButton2"), Qt::Key_Return) || focusedName() != QLatin1String("EFIO"))
        return false;
    type(name);
    press(Qt::Key_Tab);
    type(code);
    return work(QStringLiteral("dxfColorButton4"));
}

bool KeyStudent::answerRight() const
{
    const int right = Window.rightAnswerOnShow();
    if (!reach(QStringLiteral("dxf1")))
        return false;
    if (right == 1 && !Window.answerBox(1)->Checked())
        press(Qt::Key_Space);
    for (int n = 1; n < right; ++n)
        press(Qt::Key_Down);
    return Window.answerBox(right)->Checked() && work(QStringLiteral("glSpeedButton1"));
}

bool KeyStudent::setSwitch(int n, bool on) const
{
    const QString name = QStringLiteral("ChS%1").arg(n);
    if (!reach(name))
        return false;
    if (Window.sw(n)->Checked() != on)
        press(Qt::Key_Space);
    return true;
}

bool KeyStudent::moveSlider(const QString& name, int position) const
{
    if (!reach(name))
        return false;
    auto* slider = qobject_cast<TTrackBar*>(focused());
    for (int i = 0; i < 200 && slider->Position() != position; ++i)
        press(slider->Position() > position ? Qt::Key_Left : Qt::Key_Right);
    return slider->Position() == position;
}

bool KeyStudent::carryOut(const QString& steps) const
{
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool done = true;
        if (step.startsWith(QLatin1String("tick"))) {
            const int k = step.mid(4).toInt();
            for (int other = 1; other <= 6 && done; ++other)
                if (Window.box(other)->Checked() != (other == k))
                    done = work(QStringLiteral("CB%1").arg(other));
        } else if (step.startsWith(QLatin1String("set"))) {
            for (int n = 1; n <= 9 && done; ++n)
                done = setSwitch(n, step.at(2 + n) == QLatin1Char('1'));
        } else if (step == QLatin1String("power")) {
            done = work(QStringLiteral("SpeedButton1"));
        } else if (step == QLatin1String("balance")) {
            done = moveSlider(QStringLiteral("TB1"), 0);
        } else if (step.startsWith(QLatin1String("input"))) {
            done = moveSlider(QStringLiteral("TB2"), step.mid(5).toInt());
        } else if (step.startsWith(QLatin1Char('S'))) {
            done = setSwitch(step.mid(1, step.size() - 2).toInt(), step.endsWith(QLatin1Char('+')));
        } else {
            qFatal("no such step: %s", qPrintable(step));
        }
        if (!done) {
            qWarning("step %s: the focus stands on %s", qPrintable(step), qPrintable(focusedName()));
            return false;
        }
    }
    return true;
}
