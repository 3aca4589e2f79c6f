// Number texts: the integer conversion of student codes, the floating-point
// reading of meter texts and the number patterns of the bench, under a
// comma and a point decimal separator.
#include "platform/EConvertError.h"
#include "platform/FormatSettings.h"
#include "platform/NumberText.h"

#include <QtTest>

class tst_NumberText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { FormatSettings::setDecimalSeparator(QLatin1Char(',')); }

    void integers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "123456" << 123456;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("blanks and sign") << "   -42" << -42;
        QTest::newRow("plus") << "+5" << 5;
        QTest::newRow("dollar hex") << "$1F" << 31;
        QTest::newRow("0x hex") << "0x10" << 16;
        QTest::newRow("x hex") << "x10" << 16;
        QTest::newRow("hex all bits") << "$FFFFFFFF" << -1;
        QTest::newRow("max") << "2147483647" << 2147483647;
        QTest::newRow("min") << "-2147483648" << int(-2147483648LL);
    }
    void integers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(NumberText::toInt(text), value);
    }

    void badIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << " ";
        QTest::newRow("letters") << "12a";
        QTest::newRow("trailing blank") << "12 ";
        QTest::newRow("sign only") << "-";
        QTest::newRow("overflow") << "2147483648";
        QTest::newRow("hex overflow") << "$100000000";
        QTest::newRow("prefix only") << "0x";
        QTest::newRow("decimal point") << "1.5";
        QTest::newRow("cyrillic") << "абв";
    }
    void badIntegers()
    {
        QFETCH(QString, text);
        try {
            NumberText::toInt(text);
            QFAIL("converted");
        } catch (const EConvertError& e) {
            QCOMPARE(e.message(), QString("'%1' is not a valid integer value").arg(text));
        }
    }

    void floatsFollowTheSeparator()
    {
        FormatSettings::setDecimalSeparator(QLatin1Char(','));
        QCOMPARE(double(NumberText::toFloat("7,3")), 7.3);
        QCOMPARE(double(NumberText::toFloat(" -1,5e2 ")), -150.0);
        QCOMPARE(double(NumberText::toFloat(",5")), 0.5);
        QVERIFY_THROWS_EXCEPTION(EConvertError, NumberText::toFloat("7.3"));

        FormatSettings::setDecimalSeparator(QLatin1Char('.'));
        QCOMPARE(double(NumberText::toFloat("7.3")), 7.3);
        try {
            NumberText::toFloat("7,3");
            QFAIL("converted");
        } catch (const EConvertError& e) {
            QCOMPARE(e.message(), QString("'7,3' is not a valid floating point value"));
        }
        QVERIFY_THROWS_EXCEPTION(EConvertError, NumberText::toFloat(""));
        QVERIFY_THROWS_EXCEPTION(EConvertError, NumberText::toFloat("e5"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, NumberText::toFloat("1e"));
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("comma");
        QTest::addColumn<QString>("point");
        QTest::newRow("input resistance 73") << "#.##" << 0.09 << 73 << "6,57" << "6.57";
        QTest::newRow("input resistance 5") << "#.##" << 0.09 << 5 << ",45" << ".45";
        QTest::newRow("input resistance 100") << "#.##" << 0.09 << 100 << "9" << "9";
        QTest::newRow("input resistance 0") << "#.##" << 0.09 << 0 << "" << "";
        QTest::newRow("output resistance 50") << "#.##" << 0.11 << 50 << "5,5" << "5.5";
        QTest::newRow("output resistance 99") << "#.##" << 0.11 << 99 << "10,89" << "10.89";
        QTest::newRow("rejection 73") << "#.###" << 0.001 << 73 << ",073" << ".073";
        QTest::newRow("rejection 100") << "#.###" << 0.001 << 100 << ",1" << ".1";
        QTest::newRow("rejection 0") << "#.###" << 0.001 << 0 << "" << "";
    }
    void patterns()
    {
        QFETCH(QString, pattern);
        QFETCH(double, factor);
        QFETCH(int, position);
        QFETCH(QString, comma);
        QFETCH(QString, point);
        const long double value = (long double)position * (long double)factor;
        FormatSettings::setDecimalSeparator(QLatin1Char(','));
        QCOMPARE(NumberText::formatPattern(pattern, value), comma);
        FormatSettings::setDecimalSeparator(QLatin1Char('.'));
        QCOMPARE(NumberText::formatPattern(pattern, value), point);
    }

    void roundingIsHalfAwayFromZero()
    {
        FormatSettings::setDecimalSeparator(QLatin1Char('.'));
        QCOMPARE(NumberText::formatPattern("#.##", 0.125L), QString(".13"));
        QCOMPARE(NumberText::formatPattern("#.##", -0.125L), QString("-.13"));
        QCOMPARE(NumberText::formatPattern("#.##", 0.004L), QString(""));
        QCOMPARE(NumberText::formatPattern("#.##", 9.999L), QString("10"));
        QCOMPARE(NumberText::formatPattern("0.00", 0.5L), QString("0.50"));
    }

    void fixedFiveDecimals()
    {
        const long double u = 7.3L * 2.0L / 3.0L;
        FormatSettings::setDecimalSeparator(QLatin1Char(','));
        QCOMPARE(NumberText::formatFixed(u, 5), QString("4,86667"));
        QCOMPARE(NumberText::formatFixed(0, 5), QString("0,00000"));
        QCOMPARE(NumberText::formatFixed(-0.5L, 5), QString("-0,50000"));
        FormatSettings::setDecimalSeparator(QLatin1Char('.'));
        QCOMPARE(NumberText::formatFixed(u, 5), QString("4.86667"));
        QCOMPARE(NumberText::formatFixed(12345.678901234L, 5), QString("12345.67890"));
    }
};

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
