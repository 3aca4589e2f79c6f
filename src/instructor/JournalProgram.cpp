#include "instructor/JournalProgram.h"

#include "instructor/JournalArguments.h"
#include "instructor/JournalWindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStyleFactory>
#include <QTranslator>

int JournalProgram::run(int argc, char** argv, const std::function<void(JournalWindow&)>& shown)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("oplab"));
    QApplication::setApplicationName(QStringLiteral("oplab-journal"));
    QApplication::setApplicationVersion(QStringLiteral(OPLAB_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The file, print and message dialogs speak Russian as the window does,
    // whatever the machine's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    JournalArguments arguments;
    arguments.process(app);

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
