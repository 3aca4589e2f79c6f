// Code page 1251 and the length-prefixed string fields.
#include "platform/Cp1251.h"
#include "platform/ShortString.h"

#include <QtTest>

#include <cstring>

class tst_Cp1251 : public QObject
{
    Q_OBJECT

private slots:
    void knownBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("verdict") << QString("не зачет") << QByteArray("\xED\xE5\x20\xE7\xE0\xF7\xE5\xF2");
        QTest::newRow("latin e") << QString("зачeт") << QByteArray("\xE7\xE0\xF7\x65\xF2");
        QTest::newRow("work mark") << QString("выполнена") << QByteArray("\xE2\xFB\xEF\xEE\xEB\xED\xE5\xED\xE0");
        QTest::newRow("yo") << QString("Ёё") << QByteArray("\xA8\xB8");
        QTest::newRow("numero") << QString("№") << QByteArray("\xB9");
        QTest::newRow("dashes") << QString("–—") << QByteArray("\x96\x97");
        QTest::newRow("ukrainian") << QString("ЇїІіЄєҐґ") << QByteArray("\xAF\xBF\xB2\xB3\xAA\xBA\xA5\xB4");
    }
    void knownBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Cp1251::encode(text), bytes);
        QCOMPARE(Cp1251::decode(bytes), text);
    }

    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(Cp1251::encode(Cp1251::decode(all)), all);
    }

    void outsideTheCodePageBecomesQuestionMark()
    {
        QCOMPARE(Cp1251::encode(QString::fromUtf8("Ω−≈")), QByteArray("???"));
        QCOMPARE(Cp1251::encode(QString::fromUtf8("a\U0001F600b")), QByteArray("a?b"));
        QVERIFY(!Cp1251::canEncode(QChar(0x2212)));
        QVERIFY(Cp1251::canEncode(QChar(0x0416)));
    }

    void storingKeepsBytesBehindTheLength()
    {
        ShortString<8> field;
        std::memset(&field, 'Z', sizeof field);
        field.set("abc");
        QCOMPARE(int(field.Length), 3);
        QCOMPARE(QByteArray(field.Chars, 8), QByteArray("abcZZZZZ"));
        QCOMPARE(field.text(), QString("abc"));
    }

    void storingCutsToCapacity()
    {
        ShortString<6> field {};
        field.set("12345678");
        QCOMPARE(int(field.Length), 6);
        QCOMPARE(field.text(), QString("123456"));
    }

    void lengthAboveCapacityStaysInsideTheField()
    {
        struct
        {
            ShortString<2> Field;
            char After[4];
        } record;
        std::memset(&record, 'q', sizeof record);
        record.Field.Length = 200;
        QCOMPARE(record.Field.length(), 2);
        QCOMPARE(record.Field.bytes(), QByteArray("qq"));
        record.Field.set("xyz");
        QCOMPARE(QByteArray(record.After, 4), QByteArray("qqqq"));
    }

    void exactComparison()
    {
        ShortString<8> field {};
        field.set(QString("зачeт"));
        QVERIFY(field.equals(QByteArray("\xE7\xE0\xF7\x65\xF2")));
        QVERIFY(!field.equals(Cp1251::encode(QString("зачет"))));
    }
};

QTEST_GUILESS_MAIN(tst_Cp1251)
#include "tst_Cp1251.moc"
