// oplab: the virtual laboratory bench. It has no command line and no
// configuration; it reads its data files from the current directory.
#include "MessageBoxDialogs.h"
#include "QuitProgram.h"
#include "Clock.h"
#include "Unit1.h"

#include <QApplication>
#include <QStyleFactory>

#include <csignal>

int main(int argc, char** argv)
{
    // A write beyond a file-size limit must fail as "Disk full", not kill
    // the program with the journal half written.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    MessageBoxDialogs dialogs;
    QuitProgram programEnd;
    TForm1 form(dialogs, Clock::system(), programEnd);
    dialogs.setParent(&form);
    form.show();
    return app.exec();
}
