#include "instructor/JournalArguments.h"

#include "journal/Journal.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

JournalArguments::JournalArguments(LabPlaces places)
    : Help(Parser.addHelpOption())
    , Version(Parser.addVersionOption())
    , Lab(QStringLiteral("lab"),
          QStringLiteral("The journal of the lab folder this computer's benches start in: the one "
                         "named in /etc/oplab/oplab.conf, else the account's own."))
    , Places(std::move(places))
{
    Parser.addOption(Lab);
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
    return Error.isEmpty();
}

QString JournalArguments::error() const
{
    return Error.isEmpty() ? Parser.errorText() : Error;
}

void JournalArguments::read()
{
    const QStringList given = Parser.positionalArguments();
    const bool lab = Parser.isSet(Lab);
    if (given.size() + (lab ? 1 : 0) > 1) {
        Error = QStringLiteral("one journal or lab folder at most");
        return;
    }
    if (!lab) {
        Journal = given.isEmpty() ? QString() : journalOf(given.front());
        return;
    }
    QString folder = Places.configuredFolder(&Error);
    if (!Error.isEmpty())
        return;
    if (folder.isEmpty())
        folder = Places.PersonalFolder;
    // The lab folder's journal, also when the folder is not there: the
    // window then says that the journal is missing and where it looked.
    Journal = QDir(folder).filePath(::Journal::DefaultFileName);
}

QString JournalArguments::journalOf(const QString& fileOrFolder)
{
    if (QFileInfo(fileOrFolder).isDir())
        return QDir(fileOrFolder).filePath(Journal::DefaultFileName);
    return fileOrFolder;
}
