#include "app/Program.h"

#include "platform/Clock.h"
#include "platform/controls/MessageBoxDialogs.h"
#include "platform/controls/QuitProgram.h"
#include "app/Unit1.h"

#include <QApplication>
#include <QStyleFactory>

#include <csignal>

int Program::run(int argc, char** argv, const std::function<void(TForm1&)>& shown)
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
    if (shown)
        shown(form);
    return app.exec();
}
