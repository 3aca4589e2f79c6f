#include "platform/DateTimeFormat.h"

#include <QLocale>

namespace {

// Nested formats (c, t, tt, ddddd, dddddd) expand at most this deep, so a
// setting that names itself cannot loop.
constexpr int MaxDepth = 3;

bool matchesAt(const QString& pattern, qsizetype i, QLatin1StringView word)
{
    return pattern.mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

// The am/pm marker at position i, or 0 when there is none: its length.
qsizetype amPmAt(const QString& pattern, qsizetype i)
{
    if (matchesAt(pattern, i, QLatin1StringView("am/pm")))
        return 5;
    if (matchesAt(pattern, i, QLatin1StringView("ampm")))
        return 4;
    if (matchesAt(pattern, i, QLatin1StringView("a/p")))
        return 3;
    return 0;
}

// Whether the pattern holds an am/pm marker outside quoted text.
bool usesTwelveHours(const QString& pattern)
{
    QChar quote;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (amPmAt(pattern, i) > 0) {
            return true;
        }
    }
    return false;
}

// How many times the letter repeats from position i (any case).
qsizetype runLength(const QString& pattern, qsizetype i)
{
    const QChar letter = pattern[i].toLower();
    qsizetype n = 1;
    while (i + n < pattern.size() && pattern[i + n].toLower() == letter)
        ++n;
    return n;
}

QString number(int value, int digits)
{
    return QString::number(value).rightJustified(digits, u'0');
}

QStringList names(const QLocale& locale, int count, QString (QLocale::*name)(int, QLocale::FormatType) const,
                  QLocale::FormatType type)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << (locale.*name)(i, type);
    return list;
}

} // namespace

DateTimeFormat::DateTimeFormat()
    : DateSeparator(u'.'),
      TimeSeparator(u':'),
      ShortDateFormat(QStringLiteral("dd.mm.yyyy")),
      LongDateFormat(QStringLiteral("d mmmm yyyy")),
      ShortTimeFormat(QStringLiteral("h:nn")),
      LongTimeFormat(QStringLiteral("h:nn:ss")),
      TimeAMString(QStringLiteral("AM")),
      TimePMString(QStringLiteral("PM"))
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    ShortMonthNames = names(russian, 12, &QLocale::standaloneMonthName, QLocale::ShortFormat);
    LongMonthNames = names(russian, 12, &QLocale::standaloneMonthName, QLocale::LongFormat);
    // The locale counts days from Monday (1) to Sunday (7); the list starts
    // with Sunday.
    const QStringList shortDays = names(russian, 7, &QLocale::standaloneDayName, QLocale::ShortFormat);
    const QStringList longDays = names(russian, 7, &QLocale::standaloneDayName, QLocale::LongFormat);
    ShortDayNames = QStringList{shortDays.last()} + shortDays.mid(0, 6);
    LongDayNames = QStringList{longDays.last()} + longDays.mid(0, 6);
}

const DateTimeFormat& DateTimeFormat::standard()
{
    static const DateTimeFormat settings;
    return settings;
}

QString DateTimeFormat::format(const QString& pattern, const QDate& date, const QTime& time) const
{
    QString out;
    append(out, pattern.isEmpty() ? QStringLiteral("c") : pattern, date, time, 0);
    return out;
}

QString DateTimeFormat::format(const QString& pattern, const QTime& time) const
{
    return format(pattern, QDate(1899, 12, 30), time);
}

void DateTimeFormat::append(QString& out, const QString& pattern, const QDate& date,
                            const QTime& time, int depth) const
{
    const bool twelveHours = usesTwelveHours(pattern);
    const int hour = time.hour();
    const bool pm = hour >= 12;
    auto nested = [&](const QString& inner) {
        if (depth < MaxDepth)
            append(out, inner, date, time, depth + 1);
    };
    auto name = [](const QStringList& list, int index) {
        return index >= 0 && index < list.size() ? list[index] : QString();
    };

    // A month letter right after an hour letter means minutes.
    bool afterHour = false;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();

        if (c == u'\'' || c == u'"') {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = end < 0 ? pattern.size() : end + 1;
            continue;
        }
        if (c == u'/') {
            out += DateSeparator;
            ++i;
            continue;
        }
        if (c == u':') {
            out += TimeSeparator;
            ++i;
            continue;
        }

        if (lower == u'a') {
            const qsizetype length = amPmAt(pattern, i);
            if (length == 5) // am/pm, in the case written
                out += pattern.mid(pm ? i + 3 : i, 2);
            else if (length == 3) // a/p, in the case written
                out += pattern[pm ? i + 2 : i];
            else if (length == 4) // ampm
                out += pm ? TimePMString : TimeAMString;
            else
                out += c;
            i += length > 0 ? length : 1;
            afterHour = false;
            continue;
        }

        const qsizetype run = runLength(pattern, i);
        qsizetype used = run;
        bool hourToken = false;
        switch (lower.unicode()) {
        case u'h': {
            used = std::min<qsizetype>(run, 2);
            int h = hour;
            if (twelveHours) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += number(h, int(used));
            hourToken = true;
            break;
        }
        case u'n':
            used = std::min<qsizetype>(run, 2);
            out += number(time.minute(), int(used));
            break;
        case u's':
            used = std::min<qsizetype>(run, 2);
            out += number(time.second(), int(used));
            break;
        case u'z':
            used = std::min<qsizetype>(run, 3);
            out += number(time.msec(), used == 3 ? 3 : 1);
            break;
        case u'm':
            if (afterHour && run <= 2) {
                out += number(time.minute(), int(run));
            } else if (run <= 2) {
                out += number(date.month(), int(run));
            } else {
                used = std::min<qsizetype>(run, 4);
                out += name(used == 3 ? ShortMonthNames : LongMonthNames, date.month() - 1);
            }
            break;
        case u'd':
            used = std::min<qsizetype>(run, 6);
            if (used <= 2)
                out += number(date.day(), int(used));
            else if (used <= 4)
                out += name(used == 3 ? ShortDayNames : LongDayNames, date.dayOfWeek() % 7);
            else
                nested(used == 5 ? ShortDateFormat : LongDateFormat);
            break;
        case u'y':
            out += run <= 2 ? number(date.year() % 100, 2) : number(date.year(), 4);
            break;
        case u't':
            used = std::min<qsizetype>(run, 2);
            nested(used == 1 ? ShortTimeFormat : LongTimeFormat);
            break;
        case u'c':
            used = 1;
            nested(ShortDateFormat);
            if (time != QTime(0, 0)) {
                out += u' ';
                nested(LongTimeFormat);
            }
            break;
        default:
            out += c;
            i += 1;
            continue; // a literal character keeps the hour context
        }
        afterHour = hourToken;
        i += used;
    }
}
