// The rich-text reader's text: code pages, escapes and Unicode, plain
// text that is no rich text, paragraphs, and the destinations read past.
#include "platform/rtf/RtfProbe.h"
#include "platform/rtf/RtfReader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

class tst_RtfText : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("{\\rtf1 Hello}") << QString("Hello");
        QTest::newRow("1251 header") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
                                     << QString("Привет");
        QTest::newRow("1251 by default") << QByteArray("{\\rtf1\\ansi \\'ca\\'d3}") << QString("КУ");
        QTest::newRow("1251 raw bytes") << QByteArray("{\\rtf1\\ansicpg1251 \xEE\xEF}") << QString("оп");
        QTest::newRow("upper-case hex") << QByteArray("{\\rtf1 \\'C0\\'FF}") << QString("Ая");
        QTest::newRow("cyrillic font in a 1252 document")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial;}}"
                          "\\f0 \\'e9 \\f1 \\'e9}")
            << QString("é й");
        QTest::newRow("default font's charset")
            << QByteArray("{\\rtf1\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}}\\'e9}") << QString("é");
        QTest::newRow("1252 dashes") << QByteArray("{\\rtf1\\ansicpg1252 \\'96\\'80}") << QString("–€");
        QTest::newRow("unknown code page reads as 1251") << QByteArray("{\\rtf1\\ansicpg866 \\'e0}") << QString("а");
        QTest::newRow("unicode, one fallback") << QByteArray("{\\rtf1 \\u1055?\\u1088?}") << QString("Пр");
        QTest::newRow("unicode, escaped fallback") << QByteArray("{\\rtf1 \\u1055\\'cf x}") << QString("П x");
        QTest::newRow("unicode, two fallbacks") << QByteArray("{\\rtf1\\uc2 \\u1055ab c}") << QString("П c");
        QTest::newRow("unicode, no fallback") << QByteArray("{\\rtf1\\uc0 \\u1055 ab}") << QString("Пab");
        QTest::newRow("unicode, negative") << QByteArray("{\\rtf1 \\u-4064?}") << QString(QChar(0xF020));
        QTest::newRow("unicode, surrogate pair")
            << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUtf8("\U0001F600");
        QTest::newRow("unicode, brace ends fallback") << QByteArray("{\\rtf1\\uc3 {\\u1055}ab}") << QString("Пab");
        QTest::newRow("uc is scoped") << QByteArray("{\\rtf1 {\\uc2 x}\\u1055ab}") << QString("xПb");
        QTest::newRow("escaped specials") << QByteArray("{\\rtf1 \\\\\\{\\}}") << QString("\\{}");
        QTest::newRow("named characters")
            << QByteArray("{\\rtf1 \\emdash\\endash\\ldblquote\\rdblquote\\lquote\\rquote\\bullet}")
            << QString("—–“”‘’•");
        QTest::newRow("non-breaking space and hyphen") << QByteArray("{\\rtf1 a\\~b\\_c}") << QString("a\u00A0b\u2011c");
        QTest::newRow("tab and line") << QByteArray("{\\rtf1 a\\tab b\\line c}") << QString("a\tb\u2028c");
        QTest::newRow("delimiting space taken") << QByteArray("{\\rtf1 \\b  two}") << QString(" two");
        QTest::newRow("numbers end words") << QByteArray("{\\rtf1 \\fs20x}") << QString("x");
        QTest::newRow("minus without digit is text") << QByteArray("{\\rtf1 \\b-x}") << QString("-x");
        QTest::newRow("source line breaks ignored") << QByteArray("{\\rtf1 a\r\nb\nc}") << QString("abc");
        QTest::newRow("unknown words ignored") << QByteArray("{\\rtf1 \\lang1049\\noproof a\\zzz b}") << QString("ab");
        QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v secret}b\\v c\\v0 d}") << QString("abd");
        QTest::newRow("text after the document") << QByteArray("{\\rtf1 a}tail") << QString("a");
        QTest::newRow("leading white space") << QByteArray("\r\n {\\rtf1 a}") << QString("a");
    }
    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(RtfProbe::textOf(rtf), text);
    }

    void notRtfIsPlainText()
    {
        QTextDocument doc;
        RtfReader::read(QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2\r\nline 2\rline 3\n"), doc);
        QCOMPARE(doc.toPlainText(), QString("Привет\nline 2\nline 3\n"));
        QCOMPARE(RtfProbe::textOf(QByteArray()), QString());
    }

    void readingReplacesTheDocument()
    {
        QTextDocument doc;
        doc.setPlainText("old text");
        RtfReader::read("{\\rtf1 new}", doc);
        QCOMPARE(doc.toPlainText(), QString("new"));
    }

    // ------------------------------------------------------------ paragraphs

    void paragraphs_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("par") << QByteArray("{\\rtf1 one\\par two}") << QStringList{"one", "two"};
        QTest::newRow("closing par adds no empty paragraph") << QByteArray("{\\rtf1 one\\par two\\par}")
                                                             << QStringList{"one", "two"};
        QTest::newRow("empty paragraph") << QByteArray("{\\rtf1 one\\par\\par two\\par}")
                                         << QStringList{"one", "", "two"};
        QTest::newRow("page and sect") << QByteArray("{\\rtf1 a\\page b\\sect c}") << QStringList{"a", "b", "c"};
        QTest::newRow("escaped line end") << QByteArray("{\\rtf1 a\\\r\nb}") << QStringList{"a", "b"};
        QTest::newRow("line stays in the paragraph") << QByteArray("{\\rtf1 a\\line b}")
                                                     << QStringList{QString("a\u2028b")};
        QTest::newRow("par inside a group") << QByteArray("{\\rtf1 {\\b a\\par}b}") << QStringList{"a", "b"};
    }
    void paragraphs()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QStringList, blocks);
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QStringList read;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            read << b.text();
        QCOMPARE(read, blocks);
    }

    // ------------------------------------------------------------ character formatting

    void skippedDestinations_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}AB}");
        QTest::newRow("flat font table") << QByteArray("{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1 Times;}AB}");
        QTest::newRow("colour table") << QByteArray("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}AB}");
        QTest::newRow("style sheet") << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\b heading 1;}}AB}");
        QTest::newRow("info") << QByteArray("{\\rtf1{\\info{\\title T}{\\author X}{\\creatim\\yr2020}}AB}");
        QTest::newRow("header and footer") << QByteArray("{\\rtf1{\\header H}A{\\footer F}{\\headerl x}{\\footerr y}B}");
        QTest::newRow("starred unknown") << QByteArray("{\\rtf1{\\*\\generator Some writer;}A{\\*\\xyz{\\b q}}B}");
        QTest::newRow("list tables") << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'01\\u-3913 ?;}}}}"
                                                   "{\\*\\listoverridetable{\\listoverride\\ls1}}AB}");
        QTest::newRow("field instruction, result kept")
            << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt A}}B}");
        QTest::newRow("bookmarks") << QByteArray("{\\rtf1{\\*\\bkmkstart m}A{\\*\\bkmkend m}B}");
        QTest::newRow("footnote") << QByteArray("{\\rtf1 A{\\footnote note}B}");
        QTest::newRow("binary in a skipped group") << QByteArray("{\\rtf1{\\*\\x \\bin3 }{}}AB}");
        QTest::newRow("old numbering") << QByteArray("{\\rtf1{\\*\\pn\\pnlvlblt{\\pntxtb x}}A{\\pntext\\tab}B}");
    }
    void skippedDestinations()
    {
        QFETCH(QByteArray, rtf);
        const QString text = RtfProbe::textOf(rtf);
        QVERIFY2(text == "AB" || text == "A\tB", qPrintable(text));
    }

    // ------------------------------------------------------------ damaged and hostile input
};

QTEST_MAIN(tst_RtfText)
#include "tst_RtfText.moc"
