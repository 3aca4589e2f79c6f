// bench-register NAME CODE: a student registers at the bench of the lab
// folder it is started in, through the real window (offscreen, its message
// boxes recorded): the name and code typed, "Регистрация" pressed. Prints
// each message box shown, one a line; exit status 0 when the window went on
// to the theory page, 1 when it stayed, 2 on bad usage. A test starts it as
// a student's account, as the menu entry starts the bench.
#include "support/WindowDriver.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: bench-register NAME CODE (run in a lab folder)" << Qt::endl;
        return 2;
    }
    WindowDriver student({ .CurrentFolder = true });
    student.registerStudent(args[0], args[1]);
    for (const QString& box : student.Dialogs.Shown)
        out << box << '\n';
    return student.page() == QLatin1String("1_2") ? 0 : 1;
}
