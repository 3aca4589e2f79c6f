#include "journal/JournalListing.h"

#include "journal/Grading.h"
#include "journal/StudentRecordText.h"

#include <algorithm>

namespace {

using Text = StudentRecordText;

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
            if (Text::isControl(c.unicode()))
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

} // namespace

JournalListing::JournalListing(QTextStream& out, Format format, std::int64_t records)
    : Out(out)
    , FFormat(format)
    , IndexWidth(std::max<int>(6, int(QString::number(std::max<std::int64_t>(records - 1, 0)).size())))
{
    switch (FFormat) {
    case Table:
        Out << QStringLiteral("Запись").rightJustified(IndexWidth) << "  "
            << QStringLiteral("ФИО").leftJustified(30) << "  " << QStringLiteral("Шифр").leftJustified(6) << "  "
            << QStringLiteral("Баллы") << "  " << QStringLiteral("Допуск").leftJustified(8) << "  "
            << QStringLiteral("Измерения") << "  " << QStringLiteral("Работа") << '\n';
        break;
    case Csv:
        Out << "index,name,code,score,verdict,done1,done2,done3,done4,done5,done6,work\n";
        break;
    case Json:
        Out << '[';
        break;
    }
}

void JournalListing::row(std::int64_t index, const StudentRecord& r)
{
    switch (FFormat) {
    case Table: tableRow(index, r); break;
    case Csv: csvRow(index, r); break;
    case Json: jsonRow(index, r); break;
    }
}

void JournalListing::finish()
{
    if (FFormat == Json)
        Out << (First ? "]\n" : "\n]\n");
}

void JournalListing::tableRow(std::int64_t index, const StudentRecord& r)
{
    QString flags;
    for (int k = 1; k <= Grading::Measurements; ++k)
        flags += Text::printable(r.done(k).text()).leftJustified(1);
    QString line = QString::number(index).rightJustified(IndexWidth) + QStringLiteral("  ")
        + Text::name(r).leftJustified(30) + QStringLiteral("  ")
        + Text::code(r).leftJustified(6) + QStringLiteral("  ")
        + Text::score(r).leftJustified(5) + QStringLiteral("  ")
        + Text::verdict(r).leftJustified(8) + QStringLiteral("  ") + flags.leftJustified(9)
        + QStringLiteral("  ") + Text::work(r);
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    Out << line << '\n';
}

void JournalListing::csvRow(std::int64_t index, const StudentRecord& r)
{
    Out << index << ',' << csvField(r.FIO.text()) << ',' << csvField(r.Shifr.text()) << ','
        << csvField(r.Score.text()) << ',' << csvField(Text::verdictWords(r));
    for (int k = 1; k <= Grading::Measurements; ++k)
        Out << ',' << csvField(r.done(k).text());
    Out << ',' << csvField(r.WorkMark.text()) << '\n';
}

void JournalListing::jsonRow(std::int64_t index, const StudentRecord& r)
{
    Out << (First ? "\n" : ",\n") << "  {\"index\": " << index << ", \"name\": " << jsonString(r.FIO.text())
        << ", \"code\": " << jsonString(r.Shifr.text()) << ", \"score\": " << jsonString(r.Score.text())
        << ", \"verdict\": " << jsonString(Text::verdictWords(r)) << ", \"done\": [";
    for (int k = 1; k <= Grading::Measurements; ++k)
        Out << (k > 1 ? ", " : "") << jsonString(r.done(k).text());
    Out << "], \"work\": " << jsonString(r.WorkMark.text()) << '}';
    First = false;
}
