#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

// The date-time pattern language of the runtime, and the regional settings
// it refers to. Letters are read without regard to case:
//
//   h, hh        hour (hh with a leading zero); 12-hour clock when the
//                pattern holds an am/pm marker
//   n, nn        minute            s, ss       second
//   z, zzz       millisecond (zzz with leading zeros to three digits)
//   m, mm        month, or minute right after an hour letter
//   mmm, mmmm    short and long month name
//   d, dd        day               ddd, dddd   short and long day name
//   ddddd        ShortDateFormat   dddddd      LongDateFormat
//   yy, yyyy     two- and four-digit year
//   t, tt        ShortTimeFormat and LongTimeFormat
//   c            ShortDateFormat, then a blank and LongTimeFormat unless the
//                time is exactly midnight; an empty pattern means "c"
//   am/pm, a/p   "am"/"pm" or "a"/"p", in the letter case written
//   ampm         TimeAMString or TimePMString
//   /  :         DateSeparator and TimeSeparator
//   '...' "..."  literal text; every other character stands for itself
class DateTimeFormat
{
public:
    // The settings of a Russian desktop.
    DateTimeFormat();

    // The settings every control uses unless told otherwise.
    static const DateTimeFormat& standard();

    QString format(const QString& pattern, const QDate& date, const QTime& time) const;
    // A time of day on its own; its date is the calendar's day zero,
    // 30 December 1899.
    QString format(const QString& pattern, const QTime& time) const;

    QChar DateSeparator;
    QChar TimeSeparator;
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QString TimeAMString;
    QString TimePMString;
    QStringList ShortMonthNames; // 12 names, January first
    QStringList LongMonthNames;
    QStringList ShortDayNames; // 7 names, Sunday first
    QStringList LongDayNames;

private:
    void append(QString& out, const QString& pattern, const QDate& date, const QTime& time,
                int depth) const;
};
