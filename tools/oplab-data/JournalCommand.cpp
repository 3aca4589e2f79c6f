#include "JournalCommand.h"

#include "HistoryCommand.h"

#include "platform/EInOutError.h"
#include "platform/Exception.h"
#include "journal/Journal.h"
#include "journal/JournalCheck.h"
#include "journal/JournalListing.h"
#include "journal/JournalLock.h"
#include "platform/NumberText.h"
#include "journal/Registration.h"

#include <memory>

namespace {

int list(const CommandLine& command, const QString& path, const QString& format)
{
    Journal journal(path);
    const JournalListing::Format kind = format == QLatin1String("--csv") ? JournalListing::Csv
        : format == QLatin1String("--json")                            ? JournalListing::Json
                                                                       : JournalListing::Table;
    std::unique_ptr<JournalListing> listing;
    journal.readAll(
        [&](std::int64_t count) { listing = std::make_unique<JournalListing>(command.Out, kind, count); },
        [&](std::int64_t i, const StudentRecord& r) { listing->row(i, r); });
    listing->finish();
    return 0;
}

int check(const CommandLine& command, const QString& path)
{
    Journal journal(path);
    QTextStream& out = command.Out;
    JournalCheck check;
    const std::int64_t bytes = journal.readAll([](std::int64_t) {}, [&](std::int64_t, const StudentRecord& r) {
        for (const QString& line : check.record(r))
            out << line << '\n';
    });
    for (const QString& line : check.end(bytes))
        out << line << '\n';
    out << check.summary() << '\n';
    return check.findings() > 0 ? 1 : 0;
}

int find(const CommandLine& command, const QString& path, const QString& code)
{
    const std::int32_t value = Registration::checkedCode(code);
    Journal journal(path);
    journal.openForReading();
    JournalLock lock(journal, JournalLock::Shared);
    const bool found = journal.findCode(value);
    const std::int64_t index = journal.file().filePos();
    const std::int64_t count = journal.file().fileSize();
    lock.release();
    journal.close();
    if (!found) {
        command.Out << QStringLiteral("шифр '%1' не найден").arg(code) << '\n';
        return 1;
    }
    JournalListing(command.Out, JournalListing::Table, count).row(index, journal.student());
    return 0;
}

int registerStudent(const CommandLine& command, const QString& path, const QString& code, const QString& name)
{
    Journal journal(path);
    const Registration::Outcome outcome = Registration(name, code, journal).run();
    const std::int64_t index = journal.file().filePos();
    const std::int64_t count = journal.file().fileSize();
    journal.close();
    command.Out << (outcome == Registration::Added ? QStringLiteral("новая запись") : QStringLiteral("найдена запись"))
                << '\n';
    JournalListing(command.Out, JournalListing::Table, count).row(index, journal.student());
    return 0;
}

const char* const Usage = "usage: journal list JOURNAL [--csv|--json] | journal check JOURNAL"
                          " | journal find JOURNAL CODE | journal register JOURNAL CODE NAME"
                          " | journal keep|history JOURNAL | journal diff OLD NEW | journal restore JOURNAL VERSION";

} // namespace

int runJournalCommand(const CommandLine& command)
{
    QStringList args = command.Args;
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
    if (isHistoryVerb(verb))
        return runHistoryCommand(verb, CommandLine { args, command.Out, command.Err });
    QString format;
    if (verb == QLatin1String("list")) {
        for (auto it = args.begin(); it != args.end();) {
            if (*it == QLatin1String("--csv") || *it == QLatin1String("--json")) {
                if (!format.isEmpty())
                    return command.fail(QStringLiteral("journal list: choose one of --csv and --json"));
                format = *it;
                it = args.erase(it);
            } else {
                ++it;
            }
        }
    }
    const int wanted = verb == QLatin1String("list") || verb == QLatin1String("check") ? 1
        : verb == QLatin1String("find")                                               ? 2
        : verb == QLatin1String("register")                                           ? 3
                                                                                      : -1;
    if (wanted < 0 || args.size() != wanted)
        return command.fail(QString::fromLatin1(Usage));

    const QString& path = args[0];
    try {
        if (verb == QLatin1String("list"))
            return list(command, path, format);
        if (verb == QLatin1String("check"))
            return check(command, path);
        if (verb == QLatin1String("find"))
            return find(command, path, args[1]);
        return registerStudent(command, path, args[1], args[2]);
    } catch (const Exception& e) {
        command.Out.flush();
        return command.fail(path + QStringLiteral(": ") + e.message());
    }
}
