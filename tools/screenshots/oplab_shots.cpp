// oplab-shots OUTDIR: a student's run through the real window, in the lab
// folder it is started in, with a picture of the window saved at each stop:
// intro, registration, theory, test, bench, instructions, a gain
// measurement under way, all switches closed, and the finished work.
#include "platform/Clock.h"
#include "support/FakeDialogs.h"
#include "support/FakeProgramEnd.h"
#include "app/FormFonts.h"
#include "support/StudentActions.h"
#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"
#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"
#include "app/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTest>
#include <QTextStream>

namespace {

QString outDir;

void shoot(TForm1& form, const QString& name)
{
    QApplication::processEvents();
    QTest::qWait(50);
    const QString path = QDir(outDir).filePath(name + QStringLiteral(".png"));
    form.grab().save(path);
    QTextStream(stdout) << path << Qt::endl;
}

void showGroup(TForm1& form, const char* group)
{
    auto* bar = form.findChild<TdxfOutlookBar*>(QStringLiteral("dxfOutlookBar1"));
    auto* target = form.findChild<TdxfOutlookGroup*>(QString::fromLatin1(group));
    const QRect header = bar->HeaderRect(target);
    QTest::mouseClick(bar, Qt::LeftButton, {}, header.center());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 2) {
        QTextStream(stderr) << "usage: oplab-shots OUTDIR (run in a lab folder)" << Qt::endl;
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);

    FakeDialogs dialogs;
    FakeProgramEnd programEnd;
    TForm1 form(dialogs, Clock::system(), programEnd);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    StudentActions student(form);

    shoot(form, QStringLiteral("1-intro"));
    StudentActions::click(student.control("dxfColorButton2"));
    shoot(form, QStringLiteral("2-registration"));

    form.findChild<QLineEdit*>(QStringLiteral("EFIO"))->setText(QStringLiteral("Иванова А.С."));
    form.findChild<QLineEdit*>(QStringLiteral("EShifr"))->setText(QStringLiteral("2741"));
    StudentActions::click(student.control("dxfColorButton4"));
    shoot(form, QStringLiteral("3-theory"));
    StudentActions::click(student.control("dxfColorButton3"));
    shoot(form, QStringLiteral("4-test"));
    student.takeTest(10);
    shoot(form, QStringLiteral("5-bench"));

    showGroup(form, "OutlookGroup2");
    shoot(form, QStringLiteral("6-instructions"));
    showGroup(form, "OutlookGroup1");

    student.prepare(1, "011111100");
    student.power();
    student.balance();
    student.setSwitch(1, true);
    student.setInputLevel(75);
    shoot(form, QStringLiteral("7-gain"));
    student.setSwitch(7, false);

    student.measureOffsetVoltage();
    student.measureInputCurrents();
    student.measureInputResistance();
    student.measureOutputResistance();
    student.measureCommonModeRejection();
    shoot(form, QStringLiteral("9-done"));

    for (int n = 1; n <= 9; ++n)
        student.setSwitch(n, true);
    shoot(form, QStringLiteral("8-closed"));

    for (const QString& box : dialogs.Shown)
        QTextStream(stdout) << "  " << box << Qt::endl;
    return 0;
}
