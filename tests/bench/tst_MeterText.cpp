// The bench's number texts: tenths, balance readings and hundredths with
// their literal comma whatever the regional separator, and the read-back of
// a meter text under either separator.
#include "platform/EConvertError.h"
#include "platform/FormatSettings.h"
#include "bench/rules/MeterText.h"

#include <QtTest>

class tst_MeterText : public QObject
{
    Q_OBJECT

private slots:
    // Comma settings unless a test says otherwise.
    void init() { FormatSettings::setDecimalSeparator(QLatin1Char(',')); }

    void tenthsAndBalanceIgnoreTheRegionalSeparator_data();
    void tenthsAndBalanceIgnoreTheRegionalSeparator();
    void hundredthsOfTheGainReading_data();
    void hundredthsOfTheGainReading();
    void readBackAcceptsTheRegionalSeparator_data();
    void readBackAcceptsTheRegionalSeparator();
    void readBackRefusesWhatIsNoNumber_data();
    void readBackRefusesWhatIsNoNumber();
};

void tst_MeterText::tenthsAndBalanceIgnoreTheRegionalSeparator_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("tenths");
    QTest::addColumn<QString>("negativeBalance");
    const struct
    {
        int n;
        const char* tenths;
        const char* negative;
    } rows[] = {
        {0, "0,0", "0,0"},     // no minus for zero
        {7, "0,7", "- 0,7"},
        {23, "2,3", "- 2,3"},
        {49, "4,9", "- 4,9"},
        {50, "5,0", "- 5,0"},
        {99, "9,9", "- 9,9"},
        {100, "10,0", "- 10,0"},
    };
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        const char* tag = separator == QLatin1Char(',') ? "comma" : "point";
        for (const auto& row : rows)
            QTest::addRow("%d, %s", row.n, tag) << separator << row.n << QString::fromUtf8(row.tenths)
                                                << QString::fromUtf8(row.negative);
    }
}

void tst_MeterText::tenthsAndBalanceIgnoreTheRegionalSeparator()
{
    QFETCH(QChar, separator);
    QFETCH(int, n);
    QFETCH(QString, tenths);
    QFETCH(QString, negativeBalance);
    FormatSettings::setDecimalSeparator(separator);

    QCOMPARE(MeterText::FormatTenths(n), tenths);
    QCOMPARE(MeterText::balance(n), tenths);
    QCOMPARE(MeterText::balance(-n), negativeBalance);
}

void tst_MeterText::hundredthsOfTheGainReading_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("q");
    QTest::addColumn<QString>("text");
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        const char* tag = separator == QLatin1Char(',') ? "comma" : "point";
        QTest::addRow("71, %s", tag) << separator << 71 << "0,71";
        QTest::addRow("75, %s", tag) << separator << 75 << "0,75";
        QTest::addRow("79, %s", tag) << separator << 79 << "0,79";
    }
}

void tst_MeterText::hundredthsOfTheGainReading()
{
    QFETCH(QChar, separator);
    QFETCH(int, q);
    QFETCH(QString, text);
    FormatSettings::setDecimalSeparator(separator);
    QCOMPARE(MeterText::hundredths(q), text);
}

void tst_MeterText::readBackAcceptsTheRegionalSeparator_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    QTest::newRow("tenths, comma settings") << comma << "7,3" << 7.3;
    QTest::newRow("fixed text, comma settings") << comma << "4,86667" << 4.86667;
    // The bench writes tenths with a comma under any settings; they read
    // back under a point separator too.
    QTest::newRow("tenths, point settings") << point << "7,3" << 7.3;
    QTest::newRow("zero tenths, point settings") << point << "0,0" << 0.0;
    QTest::newRow("fixed text, point settings") << point << "4.86667" << 4.86667;
    QTest::newRow("whole number") << point << "5" << 5.0;
}

void tst_MeterText::readBackAcceptsTheRegionalSeparator()
{
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QFETCH(double, value);
    FormatSettings::setDecimalSeparator(separator);
    long double read = -1;
    QVERIFY_THROWS_NO_EXCEPTION(read = MeterText::readBack(text));
    QCOMPARE(double(read), value);
}

void tst_MeterText::readBackRefusesWhatIsNoNumber_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    QTest::newRow("empty") << comma << "";
    QTest::newRow("point text, comma settings") << comma << "4.86667";
    QTest::newRow("balance reading") << comma << "- 0,7";
    QTest::newRow("two commas, point settings") << point << "1,2,3";
    QTest::newRow("comma and point, point settings") << point << "1,2.3";
    QTest::newRow("a lone comma, point settings") << point << ",";
    QTest::newRow("letters") << point << "abc";
}

void tst_MeterText::readBackRefusesWhatIsNoNumber()
{
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    FormatSettings::setDecimalSeparator(separator);
    try {
        MeterText::readBack(text);
        QFAIL("the text was read as a number");
    } catch (const EConvertError& e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

QTEST_MAIN(tst_MeterText)
#include "tst_MeterText.moc"
