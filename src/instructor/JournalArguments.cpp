#include "instructor/JournalArguments.h"

#include "journal/Journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

JournalArguments::JournalArguments()
{
    // In Russian, as the window and Qt's own part of the help are.
    Parser.setApplicationDescription(
        QStringLiteral("Журнал лабораторной работы для преподавателя: группа в реальном времени, итоги, графики, "
                       "отбор, экспорт в CSV и печать отчёта. Журнал только читается."));
    Parser.addHelpOption();
    Parser.addVersionOption();
    Parser.addPositionalArgument(QStringLiteral("журнал"),
                                 QStringLiteral("Файл журнала или папка лаборатории (её Students.DAT). "
                                                "Без него: журнал, открытый в прошлый раз."),
                                 QStringLiteral("[ЖУРНАЛ|ПАПКА]"));
}

void JournalArguments::process(const QCoreApplication& app)
{
    Parser.process(app);
    read();
    if (Extra) {
        std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("oplab-journal: укажите не больше одного журнала "
                                                             "или папки лаборатории")));
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
