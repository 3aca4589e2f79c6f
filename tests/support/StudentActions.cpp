#include "support/StudentActions.h"

#include "platform/controls/TSpeedButton.h"
#include "platform/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "admission/run/TestRun.h"
#include "app/Unit1.h"

#include <QLineEdit>
#include <QTest>

StudentActions::StudentActions(TForm1& form)
    : Form(form)
{
}

void StudentActions::click(QWidget* control)
{
    if (!control)
        qFatal("StudentActions: no such control");
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

QWidget* StudentActions::control(const char* name) const
{
    return Form.findChild<QWidget*>(QString::fromLatin1(name));
}

void StudentActions::registerAndOpenTest(const QString& name, const QString& code)
{
    click(control("dxfColorButton2"));
    auto* fio = Form.findChild<QLineEdit*>(QStringLiteral("EFIO"));
    auto* shifr = Form.findChild<QLineEdit*>(QStringLiteral("EShifr"));
    fio->setText(name);
    shifr->setText(code);
    click(control("dxfColorButton4"));
    click(control("dxfColorButton3"));
}

void StudentActions::answer(bool right)
{
    const int rightBox = Form.testRun().current().RightAnswer;
    int box = rightBox;
    if (!right)
        box = rightBox == 1 ? 2 : 1;
    if (box >= 1 && box <= 4) {
        auto* check = Form.findChild<TdxfCheckBox*>(QStringLiteral("dxf%1").arg(box));
        if (!check->Checked())
            click(check);
    }
    click(control("glSpeedButton1"));
}

void StudentActions::takeTest(int rightAnswers)
{
    for (int q = 0; q < 10; ++q)
        answer(q < rightAnswers);
}

void StudentActions::setSwitch(int n, bool on)
{
    auto* sw = Form.findChild<TdxfCheckBox*>(QStringLiteral("ChS%1").arg(n));
    if (sw->Checked() != on)
        click(sw);
}

void StudentActions::prepare(int box, const char* switches)
{
    for (int k = 1; k <= 6; ++k) {
        auto* cb = Form.findChild<TdxfCheckBox*>(QStringLiteral("CB%1").arg(k));
        if (cb->Checked() != (k == box))
            click(cb);
    }
    for (int n = 1; n <= 9; ++n)
        setSwitch(n, switches[n - 1] == '1');
}

void StudentActions::power()
{
    click(control("SpeedButton1"));
}

void StudentActions::balance()
{
    auto* tb1 = Form.findChild<TTrackBar*>(QStringLiteral("TB1"));
    tb1->setFocus();
    while (tb1->Position() > 0)
        QTest::keyClick(tb1, Qt::Key_Left);
    while (tb1->Position() < 0)
        QTest::keyClick(tb1, Qt::Key_Right);
}

void StudentActions::setInputLevel(int position)
{
    auto* tb2 = Form.findChild<TTrackBar*>(QStringLiteral("TB2"));
    tb2->setFocus();
    while (tb2->Position() > position)
        QTest::keyClick(tb2, Qt::Key_Left);
    while (tb2->Position() < position)
        QTest::keyClick(tb2, Qt::Key_Right);
}

void StudentActions::measureGain(int inputLevel)
{
    prepare(1, "011111100");
    power();
    balance();
    setSwitch(1, true);
    setInputLevel(inputLevel);
    setSwitch(7, false);
}

void StudentActions::measureOffsetVoltage()
{
    prepare(2, "011111000");
    power();
    balance();
    setSwitch(6, false);
}

void StudentActions::measureInputCurrents()
{
    prepare(3, "011111000");
    power();
    balance();
    setSwitch(3, false);
    balance();
    setSwitch(6, false);
    setSwitch(3, true);
    setSwitch(4, false);
    setSwitch(6, true);
    balance();
    setSwitch(6, false);
}

void StudentActions::measureInputResistance()
{
    prepare(4, "011111100");
    power();
    balance();
    setSwitch(1, true);
    setSwitch(1, false);
    setSwitch(3, false);
    setSwitch(4, false);
    balance();
    setSwitch(1, true);
}

void StudentActions::measureOutputResistance()
{
    prepare(5, "011111100");
    power();
    balance();
    setSwitch(1, true);
    setSwitch(5, false);
}

void StudentActions::measureCommonModeRejection()
{
    prepare(6, "011111100");
    power();
    balance();
    setSwitch(1, true);
    setSwitch(8, true);
    setSwitch(9, true);
    setSwitch(7, false);
}

void StudentActions::measureAll()
{
    measureGain();
    measureOffsetVoltage();
    measureInputCurrents();
    measureInputResistance();
    measureOutputResistance();
    measureCommonModeRejection();
}
