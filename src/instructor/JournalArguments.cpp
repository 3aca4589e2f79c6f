#include "instructor/JournalArguments.h"

#include "journal/Journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

JournalArguments::JournalArguments()
{
    Parser.setApplicationDescription(
        QStringLiteral("The instructor's window of oplab: the class journal live, with plots, filters, CSV export "
                       "and a printed report. The journal is only read."));
    Parser.addHelpOption();
    Parser.addVersionOption();
    Parser.addPositionalArgument(QStringLiteral("journal"),
                                 QStringLiteral("A journal file, or a lab folder (its Students.DAT). "
                                                "Default: the journal shown last."),
                                 QStringLiteral("[JOURNAL|LAB_DIR]"));
}

void JournalArguments::process(const QCoreApplication& app)
{
    Parser.process(app);
    read();
    if (Extra) {
        std::fprintf(stderr, "oplab-journal: one journal or lab folder at most\n");
        std::exit(1);
    }
}

bool JournalArguments::parse(const QStringList& arguments)
{
    if (!Parser.parse(arguments))
        return false;
    read();
    return !Extra;
}

void JournalArguments::read()
{
    const QStringList given = Parser.positionalArguments();
    Extra = given.size() > 1;
    Journal = given.isEmpty() ? QString() : journalOf(given.front());
}

QString JournalArguments::journal() const
{
    return Journal;
}

QString JournalArguments::journalOf(const QString& fileOrFolder)
{
    if (QFileInfo(fileOrFolder).isDir())
        return QDir(fileOrFolder).filePath(Journal::DefaultFileName);
    return fileOrFolder;
}
