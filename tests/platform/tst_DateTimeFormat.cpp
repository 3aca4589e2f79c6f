#include "platform/DateTimeFormat.h"

#include <QTest>

class tst_DateTimeFormat : public QObject
{
    Q_OBJECT

private:
    // Fixed settings, so the cases do not depend on the defaults.
    static DateTimeFormat settings()
    {
        DateTimeFormat s;
        s.DateSeparator = u'/';
        s.TimeSeparator = u'.';
        s.ShortDateFormat = QStringLiteral("d/m/yy");
        s.LongDateFormat = QStringLiteral("dddd d mmmm yyyy");
        s.ShortTimeFormat = QStringLiteral("h:nn");
        s.LongTimeFormat = QStringLiteral("hh:nn:ss");
        s.TimeAMString = QStringLiteral("утра");
        s.TimePMString = QStringLiteral("вечера");
        s.ShortMonthNames = QStringList{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        s.LongMonthNames = QStringList{"January", "February", "March", "April", "May", "June",
                                       "July", "August", "September", "October", "November",
                                       "December"};
        s.ShortDayNames = QStringList{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        s.LongDayNames = QStringList{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday",
                                     "Friday", "Saturday"};
        return s;
    }

private slots:
    void timeOfDay_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");

        // The countdown's formats.
        QTest::newRow("ss two digits") << "ss" << QTime(0, 0, 5) << "05";
        QTest::newRow("ss 45") << "ss" << QTime(0, 0, 45) << "45";
        QTest::newRow("hh:nn:ss") << "hh:nn:ss" << QTime(0, 0, 45) << "00.00.45";
        QTest::newRow("h:n:s no zeros") << "h:n:s" << QTime(1, 2, 3) << "1.2.3";
        QTest::newRow("upper case letters") << "HH:NN:SS" << QTime(9, 8, 7) << "09.08.07";
        QTest::newRow("three letters take two") << "sss" << QTime(0, 0, 7) << "077";
        // Milliseconds.
        QTest::newRow("z") << "z" << QTime(0, 0, 0, 7) << "7";
        QTest::newRow("zzz") << "s.zzz" << QTime(0, 0, 3, 7) << "3.007";
        // m is the month, except right after an hour.
        QTest::newRow("m after h is minute") << "h:mm" << QTime(14, 5) << "14.05";
        QTest::newRow("m alone is month") << "mm" << QTime(14, 5) << "12";
        QTest::newRow("m after h and s is month") << "h s m" << QTime(14, 5, 1) << "14 1 12";
        // Twelve-hour clock.
        QTest::newRow("am/pm morning") << "h am/pm" << QTime(0, 30) << "12 am";
        QTest::newRow("am/pm afternoon") << "h AM/PM" << QTime(13, 30) << "1 PM";
        QTest::newRow("am/pm case as written") << "hh Am/pM" << QTime(23, 0) << "11 pM";
        QTest::newRow("a/p") << "h a/p" << QTime(12, 0) << "12 p";
        QTest::newRow("ampm strings") << "h ampm" << QTime(9, 0) << "9 утра";
        QTest::newRow("ampm before hour") << "ampm h" << QTime(21, 0) << "вечера 9";
        QTest::newRow("lone a") << "a h" << QTime(21, 0) << "a 21";
        // Literals.
        QTest::newRow("single quotes") << "'h=' h" << QTime(7, 0) << "h= 7";
        QTest::newRow("double quotes") << "\"am/pm\" h" << QTime(17, 0) << "am/pm 17";
        QTest::newRow("unterminated quote") << "s 'ss" << QTime(0, 0, 4) << "4 ss";
        QTest::newRow("other characters") << "[ss] -x" << QTime(0, 0, 4) << "[04] -x";
        QTest::newRow("spaces only") << "' '" << QTime(0, 0, 4) << " ";
        // Nested formats.
        QTest::newRow("t") << "t" << QTime(8, 9, 10) << "8.09";
        QTest::newRow("tt") << "tt" << QTime(8, 9, 10) << "08.09.10";
    }

    void timeOfDay()
    {
        QFETCH(QString, pattern);
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        QCOMPARE(settings().format(pattern, time), expected);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");

        QTest::newRow("d/m/yy") << "d/m/yy" << "5/3/07";
        QTest::newRow("dd.mm.yyyy") << "dd.mm.yyyy" << "05.03.2007";
        QTest::newRow("names") << "ddd dddd mmm mmmm" << "Mon Monday Mar March";
        QTest::newRow("ddddd") << "ddddd" << "5/3/07";
        QTest::newRow("dddddd") << "dddddd" << "Monday 5 March 2007";
        QTest::newRow("c with time") << "c" << "5/3/07 14.15.16";
        QTest::newRow("empty pattern is c") << "" << "5/3/07 14.15.16";
    }

    void dates()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(settings().format(pattern, QDate(2007, 3, 5), QTime(14, 15, 16)), expected);
    }

    void timeOnlyHasDayZero()
    {
        const DateTimeFormat s = settings();
        QCOMPARE(s.format("yyyy-mm-dd", QTime(1, 0)), QStringLiteral("1899-12-30"));
        // "c" leaves the time out at exactly midnight.
        QCOMPARE(s.format("c", QDate(2007, 3, 5), QTime(0, 0)), QStringLiteral("5/3/07"));
    }

    void selfReferringSettingsEnd()
    {
        DateTimeFormat s = settings();
        s.ShortDateFormat = QStringLiteral("ddddd|");
        s.LongTimeFormat = QStringLiteral("c");
        const QString text = s.format("c", QDate(2007, 3, 5), QTime(1, 0));
        QVERIFY(text.startsWith(QStringLiteral("|")));
        QVERIFY(text.size() < 100);
    }

    void standardSettings()
    {
        const DateTimeFormat& s = DateTimeFormat::standard();
        QCOMPARE(s.TimeSeparator, QChar(u':'));
        QCOMPARE(s.LongMonthNames.size(), 12);
        QCOMPARE(s.LongDayNames.size(), 7);
        QCOMPARE(s.format("hh:nn:ss", QTime(23, 59, 59)), QStringLiteral("23:59:59"));
        // Sunday first.
        QCOMPARE(s.format("dddd", QDate(2024, 3, 3), QTime(0, 0)), s.LongDayNames[0]);
    }
};

QTEST_GUILESS_MAIN(tst_DateTimeFormat)
#include "tst_DateTimeFormat.moc"
