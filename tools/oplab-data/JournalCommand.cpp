#include "JournalCommand.h"

#include "EInOutError.h"
#include "Exception.h"
#include "Journal.h"
#include "JournalLock.h"
#include "NumberText.h"
#include "Registration.h"

#include <QHash>

#include <cerrno>
#include <functional>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr std::int64_t ReadBlock = 4096;

// The verdict as the instructor reads it, from the exact bytes; any other
// text is shown as it stands.
QString verdictText(const StudentRecord& r)
{
    if (r.Verdict.equals(StudentRecord::VerdictNew))
        return QStringLiteral("не сдан");
    if (r.Verdict.equals(StudentRecord::VerdictPassed))
        return QStringLiteral("зачёт");
    if (r.Verdict.equals(StudentRecord::VerdictFailed))
        return QStringLiteral("незачёт");
    return r.Verdict.text();
}

bool knownVerdict(const StudentRecord& r)
{
    return r.Verdict.equals(StudentRecord::VerdictNew) || r.Verdict.equals(StudentRecord::VerdictPassed)
        || r.Verdict.equals(StudentRecord::VerdictFailed);
}

// Control characters of a damaged record must not reach a terminal.
QString printable(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    return text;
}

// The table of records, columns as wide as the fields can be, so that it
// is printed as it is read.
class Table
{
public:
    Table(QTextStream& out, std::int64_t records)
        : Out(out)
        , IndexWidth(std::max<int>(6, int(QString::number(std::max<std::int64_t>(records - 1, 0)).size())))
    {
        Out << QStringLiteral("Запись").rightJustified(IndexWidth) << "  "
            << QStringLiteral("ФИО").leftJustified(30) << "  " << QStringLiteral("Шифр").leftJustified(6) << "  "
            << QStringLiteral("Баллы") << "  " << QStringLiteral("Допуск").leftJustified(8) << "  "
            << QStringLiteral("Измерения") << "  " << QStringLiteral("Работа") << '\n';
    }

    void row(std::int64_t index, const StudentRecord& r)
    {
        QString flags;
        for (int k = 1; k <= 6; ++k)
            flags += printable(r.done(k).text()).leftJustified(1);
        const QString line = QString::number(index).rightJustified(IndexWidth) + QStringLiteral("  ")
            + printable(r.FIO.text()).leftJustified(30) + QStringLiteral("  ")
            + printable(r.Shifr.text()).leftJustified(6) + QStringLiteral("  ")
            + printable(r.Score.text()).leftJustified(5) + QStringLiteral("  ")
            + printable(verdictText(r)).leftJustified(8) + QStringLiteral("  ") + flags.leftJustified(9)
            + QStringLiteral("  ") + printable(r.WorkMark.text());
        QString text = line;
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        Out << text << '\n';
    }

private:
    QTextStream& Out;
    int IndexWidth;
};

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString jsonString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

// Reads every whole record of the journal in turn, a block at a time,
// after telling `start` how many there are; returns the byte size of the
// file.
std::int64_t readAll(Journal& journal, const std::function<void(std::int64_t)>& start,
                     const std::function<void(std::int64_t, const StudentRecord&)>& visit)
{
    journal.openForReading();
    struct stat st {};
    if (::fstat(journal.file().handle(), &st) != 0)
        throw EInOutError::fromErrno(errno);
    start(st.st_size / std::int64_t(sizeof(StudentRecord)));
    const auto block = std::make_unique<StudentRecord[]>(ReadBlock);
    std::int64_t index = 0;
    for (;;) {
        const std::int64_t got = journal.file().readBlock(block.get(), ReadBlock);
        if (got == 0)
            break;
        for (std::int64_t j = 0; j < got; ++j)
            visit(index + j, block[j]);
        index += got;
    }
    journal.close();
    return st.st_size;
}

int list(const CommandLine& command, const QString& path, const QString& format)
{
    Journal journal(path);
    QTextStream& out = command.Out;
    if (format == QLatin1String("--csv")) {
        out << "index,name,code,score,verdict,done1,done2,done3,done4,done5,done6,work\n";
        readAll(journal, [](std::int64_t) {}, [&](std::int64_t i, const StudentRecord& r) {
            out << i << ',' << csvField(r.FIO.text()) << ',' << csvField(r.Shifr.text()) << ','
                << csvField(r.Score.text()) << ',' << csvField(verdictText(r));
            for (int k = 1; k <= 6; ++k)
                out << ',' << csvField(r.done(k).text());
            out << ',' << csvField(r.WorkMark.text()) << '\n';
        });
    } else if (format == QLatin1String("--json")) {
        out << '[';
        bool first = true;
        readAll(journal, [](std::int64_t) {}, [&](std::int64_t i, const StudentRecord& r) {
            out << (first ? "\n" : ",\n") << "  {\"index\": " << i << ", \"name\": " << jsonString(r.FIO.text())
                << ", \"code\": " << jsonString(r.Shifr.text()) << ", \"score\": " << jsonString(r.Score.text())
                << ", \"verdict\": " << jsonString(verdictText(r)) << ", \"done\": [";
            for (int k = 1; k <= 6; ++k)
                out << (k > 1 ? ", " : "") << jsonString(r.done(k).text());
            out << "], \"work\": " << jsonString(r.WorkMark.text()) << '}';
            first = false;
        });
        out << (first ? "]\n" : "\n]\n");
    } else {
        std::unique_ptr<Table> table;
        readAll(
            journal, [&](std::int64_t count) { table = std::make_unique<Table>(out, count); },
            [&](std::int64_t i, const StudentRecord& r) { table->row(i, r); });
    }
    return 0;
}

template <int N>
void checkLength(QStringList& findings, std::int64_t i, const char* field, const ShortString<N>& s)
{
    if (s.Length > N)
        findings << QStringLiteral("запись %1: длина поля %2 равна %3, больше его ёмкости %4")
                        .arg(i).arg(QLatin1String(field)).arg(int(s.Length)).arg(N);
}

int check(const CommandLine& command, const QString& path)
{
    Journal journal(path);
    QTextStream& out = command.Out;
    std::int64_t count = 0;
    std::int64_t findings = 0;
    QHash<std::int32_t, std::int64_t> firstWithCode;
    const std::int64_t bytes = readAll(journal, [](std::int64_t) {}, [&](std::int64_t i, const StudentRecord& r) {
        QStringList found;
        checkLength(found, i, "FIO", r.FIO);
        checkLength(found, i, "Shifr", r.Shifr);
        checkLength(found, i, "Score", r.Score);
        checkLength(found, i, "Verdict", r.Verdict);
        checkLength(found, i, "Done1", r.Done1);
        checkLength(found, i, "Done2", r.Done2);
        checkLength(found, i, "Done3", r.Done3);
        checkLength(found, i, "Done4", r.Done4);
        checkLength(found, i, "Done5", r.Done5);
        checkLength(found, i, "Done6", r.Done6);
        checkLength(found, i, "WorkMark", r.WorkMark);
        std::int32_t code = 0;
        if (!r.code(code)) {
            found << QStringLiteral("запись %1: шифр '%2' не число").arg(i).arg(printable(r.Shifr.text()));
        } else {
            const auto first = firstWithCode.constFind(code);
            if (first != firstWithCode.constEnd())
                found << QStringLiteral("запись %1: шифр '%2' уже есть в записи %3, эту запись поиск не находит")
                             .arg(i).arg(printable(r.Shifr.text())).arg(*first);
            else
                firstWithCode.insert(code, i);
        }
        if (!knownVerdict(r))
            found << QStringLiteral("запись %1: неизвестный допуск '%2'").arg(i).arg(printable(r.Verdict.text()));
        for (const QString& line : found)
            out << line << '\n';
        findings += found.size();
        count = i + 1;
    });
    const std::int64_t rest = bytes - count * std::int64_t(sizeof(StudentRecord));
    if (rest > 0) {
        out << QStringLiteral("после записи %1 неполная запись: %2 байт из %3")
                   .arg(count - 1).arg(rest).arg(sizeof(StudentRecord))
            << '\n';
        ++findings;
    }
    out << QStringLiteral("записей: %1, замечаний: %2").arg(count).arg(findings) << '\n';
    return findings > 0 ? 1 : 0;
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
    Table(command.Out, count).row(index, journal.student());
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
    Table(command.Out, count).row(index, journal.student());
    return 0;
}

const char* const Usage = "usage: journal list JOURNAL [--csv|--json] | journal check JOURNAL"
                          " | journal find JOURNAL CODE | journal register JOURNAL CODE NAME";

} // namespace

int runJournalCommand(const CommandLine& command)
{
    QStringList args = command.Args;
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
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
