#include "HistoryCommand.h"

#include "journal/JournalDiff.h"
#include "journal/JournalHistory.h"
#include "platform/EInOutError.h"

#include <QFileInfo>

namespace {

const char* const Usage = "usage: journal keep JOURNAL | journal history JOURNAL"
                          " | journal diff OLD NEW [--journal JOURNAL] | journal restore JOURNAL VERSION";

QString records(std::int64_t n)
{
    return QStringLiteral("записей: %1").arg(n);
}

// The journal as it stands; a journal that is gone is kept as an empty
// version when it has a history (every record removed), and is an error
// otherwise.
int keep(const CommandLine& command, const QString& path)
{
    JournalHistory history(path, QString());
    JournalContent content;
    try {
        content = JournalContent::read(path);
    } catch (const EInOutError& e) {
        if (e.errorCode() != EInOutError::FileNotFound || history.latest().isEmpty())
            throw;
        command.Out << QStringLiteral("журнала нет: %1").arg(path) << '\n';
    }
    const QString last = history.latest();
    const QString kept = history.keep(content);
    if (kept.isEmpty()) {
        command.Out << QStringLiteral("без изменений с версии %1 (%2)").arg(last, records(content.count())) << '\n';
        return 0;
    }
    const QString account = last.isEmpty() ? QStringLiteral("первая версия")
                                           : JournalDiff::account(JournalDiff::compare(history.version(last), content));
    command.Out << QStringLiteral("%1  %2  %3").arg(kept, records(content.count()), account) << '\n';
    return 0;
}

int list(const CommandLine& command, const QString& path)
{
    const JournalHistory history(path, QString());
    const QStringList ids = history.versions();
    if (ids.isEmpty()) {
        command.Out << QStringLiteral("версий нет: журнал %1 ещё не сохранялся (oplab-data journal keep)").arg(path)
                    << '\n';
        return 0;
    }
    bool foreign = false;
    JournalContent before;
    for (qsizetype k = 0; k < ids.size(); ++k) {
        JournalContent now = history.version(ids[k]);
        QString account = QStringLiteral("первая версия");
        if (k > 0) {
            const std::vector<JournalChange> changes = JournalDiff::compare(before, now);
            foreign = foreign || JournalDiff::anyForeign(changes);
            account = JournalDiff::account(changes);
        }
        command.Out << QStringLiteral("%1  %2  %3").arg(ids[k].leftJustified(21), records(now.count()).leftJustified(12), account)
                    << '\n';
        before = std::move(now);
    }
    return foreign ? 1 : 0;
}

// OLD or NEW of diff: a file, or a version of the journal's history.
JournalContent resolve(const QString& given, const QString& journal)
{
    if (QFileInfo::exists(given) || !JournalHistory::isVersionId(given)) {
        try {
            return JournalContent::read(given);
        } catch (const Exception& e) {
            throw Exception(given + QStringLiteral(": ") + e.message());
        }
    }
    if (journal.isEmpty())
        throw Exception(QStringLiteral("%1: версия истории, но журнал не назван; укажите --journal JOURNAL").arg(given));
    return JournalHistory(journal, QString()).version(given);
}

int diff(const CommandLine& command, const QString& oldName, const QString& newName, QString journal)
{
    if (journal.isEmpty()) {
        // A version is one of the journal named beside it.
        for (const QString& name : { newName, oldName })
            if (journal.isEmpty() && QFileInfo(name).isFile())
                journal = name;
    }
    const JournalContent before = resolve(oldName, journal);
    const JournalContent after = resolve(newName, journal);
    const std::vector<JournalChange> changes = JournalDiff::compare(before, after);
    QTextStream& out = command.Out;
    out << QStringLiteral("%1 → %2: записей %3 → %4").arg(oldName, newName).arg(before.count()).arg(after.count())
        << '\n';
    int foreign = 0;
    for (const JournalChange& c : changes) {
        out << c.line() << '\n';
        foreign += c.foreign() ? 1 : 0;
    }
    out << QStringLiteral("изменений: %1, из них таких, каких стенд не делает: %2").arg(changes.size()).arg(foreign)
        << '\n';
    return foreign > 0 ? 1 : 0;
}

int restore(const CommandLine& command, const QString& path, const QString& id)
{
    JournalHistory history(path, QString());
    const std::int64_t count = history.version(id).count();
    const auto [before, after] = history.restore(id);
    command.Out << QStringLiteral("журнал, каким он был, сохранён как версия %1").arg(before) << '\n'
                << QStringLiteral("записана версия %1 (%2)").arg(id, records(count)) << '\n';
    if (!after.isEmpty())
        command.Out << QStringLiteral("журнал, как он записан, сохранён как версия %1").arg(after) << '\n';
    return 0;
}

} // namespace

bool isHistoryVerb(const QString& verb)
{
    return verb == QLatin1String("keep") || verb == QLatin1String("history") || verb == QLatin1String("diff")
        || verb == QLatin1String("restore");
}

int runHistoryCommand(const QString& verb, const CommandLine& command)
{
    QStringList args = command.Args;
    QString journal;
    if (verb == QLatin1String("diff")) {
        const qsizetype at = args.indexOf(QStringLiteral("--journal"));
        if (at >= 0) {
            if (at + 1 >= args.size())
                return command.fail(QString::fromLatin1(Usage));
            journal = args[at + 1];
            args.remove(at, 2);
        }
    }
    const qsizetype wanted = verb == QLatin1String("diff") || verb == QLatin1String("restore") ? 2 : 1;
    if (args.size() != wanted)
        return command.fail(QString::fromLatin1(Usage));
    try {
        if (verb == QLatin1String("keep"))
            return keep(command, args[0]);
        if (verb == QLatin1String("history"))
            return list(command, args[0]);
        if (verb == QLatin1String("diff"))
            return diff(command, args[0], args[1], journal);
        return restore(command, args[0], args[1]);
    } catch (const Exception& e) {
        command.Out.flush();
        const QString& subject = verb == QLatin1String("diff") ? QString() : args[0];
        return command.fail(subject.isEmpty() || e.message().startsWith(subject) ? e.message()
                                                                                   : subject + QStringLiteral(": ") + e.message());
    }
}
