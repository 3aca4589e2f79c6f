#include "app/Program.h"

#include "app/FrameMemory.h"

#include "platform/Clock.h"
#include "widgets/controls/MessageBoxDialogs.h"
#include "widgets/controls/QuitProgram.h"
#include "app/LabChoice.h"
#include "app/Unit1.h"

#include <QApplication>
#include <QSettings>
#include <QCommandLineParser>
#include <QStyleFactory>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

// The command line: none at all, or --lab [DIR]; --help and --version
// print and end the program. The exit status when the program must end
// before its window opens, or -1 to go on; `lab` tells whether --lab was
// given and `dir` its folder.
int readCommandLine(const QStringList& arguments, bool& lab, QString& dir)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The virtual laboratory bench: a student registers, passes the admission test and measures\n"
        "the parameters of an operational amplifier. Without options the current folder is the lab\n"
        "folder: the question banks, the theory page and the instructions are read there, and the\n"
        "journal Students.DAT is kept there."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption labOption(QStringLiteral("lab"),
        QStringLiteral("Work in the lab folder DIR; without DIR, in the folder named in "
                       "/etc/oplab/oplab.conf ([Lab] Folder=...), or else in a personal lab "
                       "folder made from the installed template ($XDG_DATA_HOME/oplab/lab)."));
    parser.addOption(labOption);
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("The lab folder, after --lab."),
                                 QStringLiteral("[DIR]"));
    const auto fail = [](const QString& text) {
        std::fprintf(stderr, "oplab: %s\nTry 'oplab --help'.\n", qPrintable(text));
        return 2;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    const QStringList rest = parser.positionalArguments();
    lab = parser.isSet(labOption);
    if (rest.size() > (lab ? 1 : 0))
        return fail(QStringLiteral("unexpected argument '%1'").arg(rest.back()));
    dir = rest.value(0);
    return -1;
}

} // namespace

int Program::run(int argc, char** argv, const std::function<void(TForm1&)>& shown)
{
    // A write beyond a file-size limit must fail as "Disk full", not kill
    // the program with the journal half written.
    std::signal(SIGXFSZ, SIG_IGN);

    bool lab = false;
    QString dir;
    // --help and --version are answered without the window system, so
    // they work where there is no display.
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "-?" || arg == "--help-all" || arg == "--version" || arg == "-v") {
            QCoreApplication core(argc, argv);
            return std::max(readCommandLine(core.arguments(), lab, dir), 0);
        }
    }

    QApplication app(argc, argv);
    // The application's title is the program's name, whatever the file
    // it was started from is called: the title of every message box.
    QApplication::setApplicationName(QStringLiteral("oplab"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (const int status = readCommandLine(app.arguments(), lab, dir); status >= 0)
        return status;

    MessageBoxDialogs dialogs;
    if (lab && !LabChoice(LabPlaces::system(), dialogs).enter(dir))
        return 2;

    QuitProgram programEnd;
    TForm1 form(dialogs, Clock::system(), programEnd);
    dialogs.setParent(&form);
    // The frame as the student left it at the last start.
    QSettings settings(QStringLiteral("oplab"), QStringLiteral("oplab"));
    FrameMemory::show(form, settings);
    if (shown)
        shown(form);
    const int status = app.exec();
    FrameMemory::save(form, settings);
    return status;
}
