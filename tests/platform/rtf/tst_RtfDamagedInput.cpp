// The rich-text reader on damaged and hostile input: it keeps what it could
// read, never crashes, and bounds its nesting.
#include "platform/rtf/RtfProbe.h"
#include "platform/rtf/RtfReader.h"

#include <QRandomGenerator>
#include <QTextDocument>
#include <QtTest>

class tst_RtfDamagedInput : public QObject
{
    Q_OBJECT

private slots:
    void damagedInputReadsWhatItCan_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text"); // null: any text

        QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 a{\\b b{\\i c") << QString("abc");
        QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}b") << QString("a");
        QTest::newRow("closing before opening") << QByteArray("{\\rtf1 {a}}}{b}") << QString("a");
        QTest::newRow("only the header") << QByteArray("{\\rtf1") << QString("");
        QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << QString("a");
        QTest::newRow("quote at the end") << QByteArray("{\\rtf1 a\\'") << QString("a");
        QTest::newRow("one hex digit at the end") << QByteArray("{\\rtf1 a\\'e") << QString("a");
        QTest::newRow("one hex digit, then brace") << QByteArray("{\\rtf1 a\\'e}b") << QString("a");
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 a\\'zzb}") << QString("azzb");
        QTest::newRow("word at the end") << QByteArray("{\\rtf1 a\\par") << QString("a");
        QTest::newRow("number at the end") << QByteArray("{\\rtf1 a\\fs2") << QString("a");
        QTest::newRow("huge unicode") << QByteArray("{\\rtf1 a\\u99999999999999999999?b}") << QString("ab");
        QTest::newRow("huge negative unicode") << QByteArray("{\\rtf1 a\\u-99999999999999999999?b}") << QString("ab");
        QTest::newRow("unicode past the range") << QByteArray("{\\rtf1 a\\u65536?b\\u-32769?c}") << QString("abc");
        QTest::newRow("lone surrogates") << QByteArray("{\\rtf1 a\\u-10179?b\\u-8704?c}")
                                         << QString("a\uFFFDb\uFFFDc");
        QTest::newRow("document structure characters")
            << QByteArray("{\\rtf1 a\\u-560?b\\u-559?c\\u-4?d\\u8233?e}") << QString("a\uFFFDb\uFFFDc\uFFFDd\u2028e");
        QTest::newRow("control characters") << QByteArray("{\\rtf1 a\\u0?\\u10?\\u13?\\'00\\'0d\\'0ab}")
                                            << QString("ab");
        QTest::newRow("huge uc") << QByteArray("{\\rtf1\\uc99999999999 \\u1055 abcdefghijklmnopqrstuvwxyz}")
                                 << QString("Пqrstuvwxyz");
        QTest::newRow("negative uc") << QByteArray("{\\rtf1\\uc-5 \\u1055 ab}") << QString("Пab");
        QTest::newRow("bin past the end") << QByteArray("{\\rtf1 a\\bin999999999 bc}") << QString("a");
        QTest::newRow("huge bin") << QByteArray("{\\rtf1 a\\bin99999999999999999999 bc}") << QString("a");
        QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 bc}") << QString("abc");
        QTest::newRow("bin skips braces") << QByteArray("{\\rtf1 a\\bin3 }{}}") << QString("a");
        QTest::newRow("NUL bytes in text") << RtfProbe::bytes("{\\rtf1 a\0b\0\0c}") << QString("abc");
        QTest::newRow("NUL after backslash") << RtfProbe::bytes("{\\rtf1 a\\\0b}") << QString("ab");
        QTest::newRow("very long word") << QByteArray("{\\rtf1 a\\" + QByteArray(100000, 'b') + " c}") << QString("ac");
        QTest::newRow("very long number") << QByteArray("{\\rtf1 a\\fs" + QByteArray(100000, '9') + " c}")
                                          << QString("ac");
        QTest::newRow("huge indents") << QByteArray("{\\rtf1\\li99999999999\\ri-99999999999\\fi99999999999"
                                                    "\\sb99999999999\\sa-99999999999 a}")
                                      << QString("a");
        QTest::newRow("huge colour and font numbers")
            << QByteArray("{\\rtf1{\\colortbl;\\red99999999999\\green-1\\blue300;}\\cf99999999999\\f-99999999999"
                          "\\highlight1 a\\deff99999999999\\ansicpg-1 b}")
            << QString("ab");
        QTest::newRow("star without destination") << QByteArray("{\\rtf1 a\\*b}") << QString("ab");
        QTest::newRow("cells without a row") << QByteArray("{\\rtf1 \\cell\\cell a\\row\\row\\row b}") << QString();
        QTest::newRow("row without cells") << QByteArray("{\\rtf1 \\row\\trowd\\row a}") << QString();
        QTest::newRow("huge cell bounds") << QByteArray("{\\rtf1\\trowd\\cellx99999999999\\cellx-99999999999"
                                                        "\\intbl a\\cell b\\cell\\row}")
                                          << QString();
        QTest::newRow("picture never closed") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47") << QString("a");
        QTest::newRow("picture with odd hex") << QByteArray("{\\rtf1 a{\\pict\\pngblip 895}b}") << QString("ab");
        QTest::newRow("picture inside a picture")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip{\\pict\\jpegblip 00}00}b}") << QString("ab");
        QTest::newRow("font table without names") << QByteArray("{\\rtf1{\\fonttbl{\\f0}{\\f1;}\\f2}\\f0 a\\f1 b}")
                                                  << QString("ab");
        QTest::newRow("font name very long")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 " + QByteArray(100000, 'x') + ";}}\\f0 a}") << QString("a");
        QTest::newRow("garbage before the header is plain text") << QByteArray("x{\\rtf1 a}") << QString("x{\\rtf1 a}");
    }
    void damagedInputReadsWhatItCan()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        if (!text.isNull())
            QCOMPARE(doc.toRawText(), text);
        // The document is whole: it lays out.
        QVERIFY(doc.size().width() >= 0);
    }

    void deepNesting_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("text");
        QTest::newRow("at the limit") << RtfReader::MaxDepth << QString("ABC");
        QTest::newRow("past the limit") << RtfReader::MaxDepth + 1 << QString("AC");
        QTest::newRow("100000 groups") << 100000 << QString("AC");
    }
    void deepNesting()
    {
        // Groups deeper than the limit are read without text; the text
        // after them is read as usual. depth counts the document's group.
        QFETCH(int, depth);
        QFETCH(QString, text);
        const QByteArray rtf = "{\\rtf1 A" + QByteArray(depth - 1, '{') + "B" + QByteArray(depth - 1, '}') + "C}";
        QCOMPARE(RtfProbe::textOf(rtf), text);
    }

    void deepNestingUnclosed()
    {
        const QByteArray rtf = "{\\rtf1 A" + QByteArray(100000, '{') + "B";
        QCOMPARE(RtfProbe::textOf(rtf), QString("A"));
    }

    void randomBytes()
    {
        // Random data, raw and shaped like RTF, must read without a crash
        // or hang.
        QRandomGenerator random(20240611);
        const QByteArray alphabet = "{}\\\\\\'*0123456789abcdefghijklmnopqrstuvwxyz -;\r\n\xE0\xFF";
        const QList<QByteArray> words = {"\\par", "\\pict", "\\pngblip", "\\bin", "\\u", "\\uc", "\\cell", "\\row",
                                         "\\trowd", "\\intbl", "\\fonttbl", "\\colortbl", "\\*", "\\'", "\\f",
                                         "\\cf", "\\fs", "\\b", "\\plain", "\\pard", "\\line", "{", "}", "\\v"};
        for (int round = 0; round < 300; ++round) {
            QByteArray data = round % 3 == 0 ? QByteArray() : QByteArray("{\\rtf1 ");
            const int size = int(random.bounded(4000));
            while (data.size() < size) {
                switch (round % 3) {
                case 0:
                    data.append(char(random.bounded(256)));
                    break;
                case 1:
                    data.append(alphabet[random.bounded(alphabet.size())]);
                    break;
                default:
                    data.append(words[random.bounded(words.size())]);
                    if (random.bounded(2))
                        data.append(QByteArray::number(int(random.bounded(200)) - 50));
                    data.append(alphabet[random.bounded(alphabet.size())]);
                    break;
                }
            }
            QTextDocument doc;
            RtfReader::read(data, doc);
            QVERIFY(doc.size().width() >= 0);
        }
    }
};

QTEST_MAIN(tst_RtfDamagedInput)
#include "tst_RtfDamagedInput.moc"
