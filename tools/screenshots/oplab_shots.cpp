// oplab-shots OUTDIR [LOOKDIR]: a student's run through the real window, in
// the lab folder it is started in, with a picture of the window saved at
// each stop: intro, registration, theory, test, bench, instructions, a gain
// measurement under way, all switches closed, and the finished work; the
// registration page and the finished work also zoomed, in a frame of twice
// the stored size and in the frame maximised on a 1920 x 1080 screen.
// With LOOKDIR, also what is looked at before a release and not kept in
// the README: the finished bench printed to bench.pdf, and the bench and
// the instructions in a larger window.
#include "support/WindowDriver.h"
#include "app/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTest>
#include <QTextStream>

namespace {

QString outDir;

void shoot(TForm1& form, const QString& name, const QString& dir = outDir)
{
    QApplication::processEvents();
    QTest::qWait(50);
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    form.grab().save(path);
    QTextStream(stdout) << path << Qt::endl;
}

// The window in a frame of twice the stored size, and in the client area
// of a frame maximised on a 1920 x 1080 screen under its title bar; then
// back at the stored size.
void shootZoomed(TForm1& form, const QString& name)
{
    const QSize stored = form.size();
    form.resize(stored * 2);
    shoot(form, name + QStringLiteral("-twice"));
    form.resize(1920, 1050);
    shoot(form, name + QStringLiteral("-1920x1080"));
    form.resize(stored);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 2) {
        QTextStream(stderr) << "usage: oplab-shots OUTDIR [LOOKDIR] (run in a lab folder)" << Qt::endl;
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);

    // The window in the lab folder the walk is started in, its message
    // boxes recorded, its clock standing at noon.
    WindowDriver student({.CurrentFolder = true});
    TForm1& form = student.form();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;

    shoot(form, QStringLiteral("1-intro"));
    student.click("dxfColorButton2");
    shoot(form, QStringLiteral("2-registration"));
    shootZoomed(form, QStringLiteral("2-registration"));

    student.registerStudent(QStringLiteral("Иванова А.С."), QStringLiteral("2741"));
    shoot(form, QStringLiteral("3-theory"));
    student.openTest();
    shoot(form, QStringLiteral("4-test"));
    student.takeTest(10);
    shoot(form, QStringLiteral("5-bench"));

    student.showGroup(2);
    shoot(form, QStringLiteral("6-instructions"));
    student.showGroup(1);

    student.startMeasurement(1);
    student.setSwitch(1, true);
    student.moveInput(75);
    shoot(form, QStringLiteral("7-gain"));
    student.setSwitch(7, false);

    student.measureOffsetVoltage();
    student.measureInputCurrents();
    student.measureInputResistance();
    student.measureOutputResistance();
    student.measureCommonModeRejection();
    shoot(form, QStringLiteral("9-done"));
    shootZoomed(form, QStringLiteral("9-done"));

    if (argc > 2) {
        const QString lookDir = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(lookDir);
        student.Print.File = QDir(lookDir).filePath(QStringLiteral("bench.pdf"));
        student.click(QStringLiteral("BitBtn2"));
        form.resize(1000, 700);
        shoot(form, QStringLiteral("larger-bench"), lookDir);
        student.showGroup(2);
        shoot(form, QStringLiteral("larger-instructions"), lookDir);
        student.showGroup(1);
        form.resize(733, 562);
    }

    for (int n = 1; n <= 9; ++n)
        student.setSwitch(n, true);
    shoot(form, QStringLiteral("8-closed"));

    for (const QString& box : student.Dialogs.Shown)
        QTextStream(stdout) << "  " << box << Qt::endl;
    return 0;
}
