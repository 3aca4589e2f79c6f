#include "instructor/JournalArguments.h"

#include "journal/Journal.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

JournalArguments::JournalArguments()
    : Help(Parser.addHelpOption())
    , Version(Parser.addVersionOption())
{
    Parser.setApplicationDescription(QStringLiteral(
        "The instructor's window on the class journal of the virtual laboratory bench: who has\n"
        "registered, passed the admission test, finished each measurement and the work, live while\n"
        "the benches write the journal; counts, plots, CSV export and a printed report. The journal\n"
        "is only read."));
    Parser.addPositionalArgument(QStringLiteral("JOURNAL|LAB_DIR"),
                                 QStringLiteral("A journal file, or a lab folder (its Students.DAT). "
                                                "Without it, the journal shown last."),
                                 QStringLiteral("[JOURNAL|LAB_DIR]"));
}

bool JournalArguments::asksForHelpOrVersion(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "-?" || arg == "--help-all" || arg == "--version" || arg == "-v")
            return true;
    }
    return false;
}

bool JournalArguments::parse(const QStringList& arguments)
{
    if (!Parser.parse(arguments))
        return false;
    if (Parser.isSet(Help))
        Parser.showHelp(0);
    if (Parser.isSet(Version))
        Parser.showVersion();
    read();
    return !Extra;
}

QString JournalArguments::error() const
{
    return Extra ? QStringLiteral("one journal or lab folder at most") : Parser.errorText();
}

void JournalArguments::read()
{
    const QStringList given = Parser.positionalArguments();
    Extra = given.size() > 1;
    Journal = given.isEmpty() ? QString() : journalOf(given.front());
}

QString JournalArguments::journalOf(const QString& fileOrFolder)
{
    if (QFileInfo(fileOrFolder).isDir())
        return QDir(fileOrFolder).filePath(Journal::DefaultFileName);
    return fileOrFolder;
}
