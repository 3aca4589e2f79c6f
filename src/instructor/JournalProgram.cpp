#include "instructor/JournalProgram.h"

#include "instructor/JournalArguments.h"
#include "instructor/JournalWindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>

namespace {

void name()
{
    QCoreApplication::setOrganizationName(QStringLiteral("oplab"));
    QCoreApplication::setApplicationName(QStringLiteral("oplab-journal"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OPLAB_VERSION));
}

} // namespace

int JournalProgram::run(int argc, char** argv, const std::function<void(JournalWindow&)>& shown)
{
    if (JournalArguments::asksForHelpOrVersion(argc, argv)) {
        QCoreApplication core(argc, argv);
        name();
        JournalArguments arguments;
        arguments.parse(core.arguments()); // prints and ends, unless the command line is wrong
        std::fprintf(stderr, "oplab-journal: %s\nTry 'oplab-journal --help'.\n", qPrintable(arguments.error()));
        return 2;
    }

    QApplication app(argc, argv);
    name();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    JournalArguments arguments;
    if (!arguments.parse(app.arguments())) {
        std::fprintf(stderr, "oplab-journal: %s\nTry 'oplab-journal --help'.\n", qPrintable(arguments.error()));
        return 2;
    }

    // The file, print and message dialogs speak Russian as the window does,
    // whatever the machine's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    JournalWindow window;
    QString journal = arguments.journal();
    if (journal.isEmpty())
        journal = QSettings().value(QStringLiteral("journal")).toString();
    if (!journal.isEmpty())
        window.openJournal(journal);
    window.show();
    if (shown)
        shown(window);
    return app.exec();
}
