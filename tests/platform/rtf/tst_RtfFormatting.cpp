// The rich-text reader's formatting read back from the document: bold,
// italic, underline, sizes, fonts, colours, scripts, and the paragraphs'
// alignment, indents and spacing.
#include "platform/rtf/RtfProbe.h"
#include "platform/rtf/RtfReader.h"

#include <QTextDocument>
#include <QtTest>

class tst_RtfFormatting : public QObject
{
    Q_OBJECT

private slots:
    void characterFormat_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strike");
        QTest::newRow("none") << QByteArray("X") << false << false << false << false;
        QTest::newRow("b") << QByteArray("\\b X") << true << false << false << false;
        QTest::newRow("b0") << QByteArray("\\b\\b0 X") << false << false << false << false;
        QTest::newRow("i") << QByteArray("\\i X") << false << true << false << false;
        QTest::newRow("i0") << QByteArray("\\i\\i0 X") << false << false << false << false;
        QTest::newRow("ul") << QByteArray("\\ul X") << false << false << true << false;
        QTest::newRow("ul0") << QByteArray("\\ul\\ul0 X") << false << false << false << false;
        QTest::newRow("ulnone") << QByteArray("\\ul\\ulnone X") << false << false << false << false;
        QTest::newRow("uldb") << QByteArray("\\uldb X") << false << false << true << false;
        QTest::newRow("strike") << QByteArray("\\strike X") << false << false << false << true;
        QTest::newRow("strike0") << QByteArray("\\strike\\strike0 X") << false << false << false << false;
        QTest::newRow("all") << QByteArray("\\b\\i\\ul\\strike X") << true << true << true << true;
        QTest::newRow("plain resets") << QByteArray("\\b\\i\\ul\\strike\\plain X") << false << false << false << false;
        QTest::newRow("group ends") << QByteArray("{\\b\\i\\ul\\strike Y}X") << false << false << false << false;
        QTest::newRow("group inherits") << QByteArray("\\b\\i{\\ul X}") << true << true << true << false;
    }
    void characterFormat()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strike);
        QTextDocument doc;
        RtfReader::read("{\\rtf1 " + body + "}", doc);
        const QTextCharFormat f = RtfProbe::formatOf(doc, "X");
        QCOMPARE(f.fontWeight() >= QFont::Bold, bold);
        QCOMPARE(f.fontItalic(), italic);
        QCOMPARE(f.fontUnderline(), underline);
        QCOMPARE(f.fontStrikeOut(), strike);
    }

    // Half-points at 96 dots per inch: \fs24 is 12 points, 16 pixels.
    void sizes_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("pixels");
        QTest::newRow("default 12 pt") << QByteArray("X") << 16;
        QTest::newRow("fs24") << QByteArray("\\fs24 X") << 16;
        QTest::newRow("fs20") << QByteArray("\\fs20 X") << 13;
        QTest::newRow("fs28") << QByteArray("\\fs28 X") << 19;
        QTest::newRow("fs36") << QByteArray("\\fs36 X") << 24;
        QTest::newRow("fs16") << QByteArray("\\fs16 X") << 11;
        QTest::newRow("plain") << QByteArray("\\fs40\\plain X") << 16;
        QTest::newRow("group") << QByteArray("{\\fs40 Y}X") << 16;
        QTest::newRow("zero clamps") << QByteArray("\\fs0 X") << 1;
        QTest::newRow("huge clamps") << QByteArray("\\fs99999999999 X") << 400;
    }
    void sizes()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, pixels);
        QTextDocument doc;
        RtfReader::read("{\\rtf1 " + body + "}", doc);
        QCOMPARE(RtfProbe::formatOf(doc, "X").property(QTextFormat::FontPixelSize).toInt(), pixels);
    }

    void fonts()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1\\deff1{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman Cyr;}"
                        "{\\f1\\fswiss Arial{\\*\\panose 020b0604020202020204}{\\*\\falt Helvetica};}"
                        "\\f2\\fmodern Courier New;}"
                        "A\\f0 B\\f2 C\\f7 D\\plain E}",
                        doc);
        QCOMPARE(RtfProbe::formatOf(doc, "A").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(RtfProbe::formatOf(doc, "B").fontFamilies().toStringList(), QStringList{"Times New Roman"});
        QCOMPARE(RtfProbe::formatOf(doc, "B").fontStyleHint(), QFont::Serif);
        QCOMPARE(RtfProbe::formatOf(doc, "C").fontFamilies().toStringList(), QStringList{"Courier New"});
        QVERIFY(!RtfProbe::formatOf(doc, "D").hasProperty(QTextFormat::FontFamilies));
        QCOMPARE(RtfProbe::formatOf(doc, "E").fontFamilies().toStringList(), QStringList{"Arial"});
    }

    void colours()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;\\red255\\green255\\blue0;}"
                        "\\cf1 A\\cf2 B\\cf0 C\\cf9 D\\plain\\highlight3 E\\highlight0 F\\cb2 G}",
                        doc);
        QCOMPARE(RtfProbe::formatOf(doc, "A").foreground().color(), QColor(255, 0, 0));
        QCOMPARE(RtfProbe::formatOf(doc, "B").foreground().color(), QColor(0, 0, 128));
        QVERIFY(!RtfProbe::formatOf(doc, "C").hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!RtfProbe::formatOf(doc, "D").hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(RtfProbe::formatOf(doc, "E").background().color(), QColor(255, 255, 0));
        QVERIFY(!RtfProbe::formatOf(doc, "F").hasProperty(QTextFormat::BackgroundBrush));
        QCOMPARE(RtfProbe::formatOf(doc, "G").background().color(), QColor(0, 0, 128));
    }

    void colourZeroIsAutomatic()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1{\\colortbl\\red0\\green128\\blue0;}\\cf0 A}", doc);
        QVERIFY(!RtfProbe::formatOf(doc, "A").hasProperty(QTextFormat::ForegroundBrush));
    }

    void scripts()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1 U{\\sub bx}A{\\super 2}B\\super C\\nosupersub D}", doc);
        QCOMPARE(RtfProbe::formatOf(doc, "bx").verticalAlignment(), QTextCharFormat::AlignSubScript);
        QCOMPARE(RtfProbe::formatOf(doc, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(RtfProbe::formatOf(doc, "C").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(RtfProbe::formatOf(doc, "D").verticalAlignment(), QTextCharFormat::AlignNormal);
    }

    // ------------------------------------------------------------ paragraph formatting

    void paragraphFormat_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<qreal>("left");
        QTest::addColumn<qreal>("right");
        QTest::addColumn<qreal>("first");
        QTest::addColumn<qreal>("before");
        QTest::addColumn<qreal>("after");
        const int left = Qt::AlignLeft;
        QTest::newRow("default") << QByteArray("X\\par") << left << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("qc") << QByteArray("\\qc X\\par") << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("qr") << QByteArray("\\qr X\\par") << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("qj") << QByteArray("\\qj X\\par") << int(Qt::AlignJustify) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("ql after qc") << QByteArray("\\qc\\ql X\\par") << left << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("twips to pixels") << QByteArray("\\li720\\ri1440\\fi-360\\sb240\\sa120 X\\par") << left << 48.0
                                         << 96.0 << -24.0 << 16.0 << 8.0;
        QTest::newRow("pard resets") << QByteArray("\\qc\\li720\\fi360\\sb240\\sa240\\pard X\\par") << left << 0.0 << 0.0
                                     << 0.0 << 0.0 << 0.0;
        QTest::newRow("format at the paragraph's end") << QByteArray("X\\qc\\li300\\par") << int(Qt::AlignHCenter)
                                                       << 20.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("last paragraph without par") << QByteArray("\\qr\\sa300 X") << int(Qt::AlignRight) << 0.0
                                                    << 0.0 << 0.0 << 0.0 << 20.0;
        QTest::newRow("negative indent clamps") << QByteArray("\\li-720 X") << left << 0.0 << 0.0 << 0.0 << 0.0
                                                << 0.0;
    }
    void paragraphFormat()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, alignment);
        QFETCH(qreal, left);
        QFETCH(qreal, right);
        QFETCH(qreal, first);
        QFETCH(qreal, before);
        QFETCH(qreal, after);
        QTextDocument doc;
        RtfReader::read("{\\rtf1 " + body + "}", doc);
        const QTextBlockFormat f = RtfProbe::blockOf(doc, "X");
        QCOMPARE(int(f.alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(f.leftMargin(), left);
        QCOMPARE(f.rightMargin(), right);
        QCOMPARE(f.textIndent(), first);
        QCOMPARE(f.topMargin(), before);
        QCOMPARE(f.bottomMargin(), after);
    }

    void paragraphsKeepTheirOwnFormat()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1\\pard\\qc Title\\par\\pard\\qj\\fi284 Body\\par\\pard Tail\\par}", doc);
        QCOMPARE(RtfProbe::blockOf(doc, "Title").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(RtfProbe::blockOf(doc, "Body").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
        QCOMPARE(RtfProbe::blockOf(doc, "Tail").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(RtfProbe::blockOf(doc, "Title").textIndent(), 0.0);
    }

    // ------------------------------------------------------------ tables
};

QTEST_MAIN(tst_RtfFormatting)
#include "tst_RtfFormatting.moc"
