// The rich-text reader: text and code pages, paragraphs, formatting read
// back from the document, tables, pictures, skipped destinations, and
// damaged or hostile input.
#include "platform/RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <QtTest>

namespace {

QString textOf(const QByteArray& rtf)
{
    QTextDocument doc;
    RtfReader::read(rtf, doc);
    return doc.toRawText();
}

// The character format of the first fragment that contains the text.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
    return QTextCharFormat();
}

QTextBlockFormat blockOf(const QTextDocument& doc, const QString& text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().contains(text))
            return b.blockFormat();
    return QTextBlockFormat();
}

// Bytes of a literal that holds NUL bytes.
template <std::size_t N>
QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

QByteArray hex(const QByteArray& data)
{
    return data.toHex();
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage testImage()
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 40));
    return image;
}

struct Picture
{
    QTextImageFormat format;
    QImage image;
};

QList<Picture> picturesOf(const QTextDocument& doc)
{
    QList<Picture> pictures;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat()) {
                const QTextImageFormat image = f.toImageFormat();
                pictures.append({image, doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>()});
            }
        }
    return pictures;
}

} // namespace

class tst_RtfReader : public QObject
{
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ text

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
        QCOMPARE(textOf(rtf), text);
    }

    void notRtfIsPlainText()
    {
        QTextDocument doc;
        RtfReader::read(QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2\r\nline 2\rline 3\n"), doc);
        QCOMPARE(doc.toPlainText(), QString("Привет\nline 2\nline 3\n"));
        QCOMPARE(textOf(QByteArray()), QString());
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
        const QTextCharFormat f = formatOf(doc, "X");
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
        QCOMPARE(formatOf(doc, "X").property(QTextFormat::FontPixelSize).toInt(), pixels);
    }

    void fonts()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1\\deff1{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman Cyr;}"
                        "{\\f1\\fswiss Arial{\\*\\panose 020b0604020202020204}{\\*\\falt Helvetica};}"
                        "\\f2\\fmodern Courier New;}"
                        "A\\f0 B\\f2 C\\f7 D\\plain E}",
                        doc);
        QCOMPARE(formatOf(doc, "A").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(formatOf(doc, "B").fontFamilies().toStringList(), QStringList{"Times New Roman"});
        QCOMPARE(formatOf(doc, "B").fontStyleHint(), QFont::Serif);
        QCOMPARE(formatOf(doc, "C").fontFamilies().toStringList(), QStringList{"Courier New"});
        QVERIFY(!formatOf(doc, "D").hasProperty(QTextFormat::FontFamilies));
        QCOMPARE(formatOf(doc, "E").fontFamilies().toStringList(), QStringList{"Arial"});
    }

    void colours()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;\\red255\\green255\\blue0;}"
                        "\\cf1 A\\cf2 B\\cf0 C\\cf9 D\\plain\\highlight3 E\\highlight0 F\\cb2 G}",
                        doc);
        QCOMPARE(formatOf(doc, "A").foreground().color(), QColor(255, 0, 0));
        QCOMPARE(formatOf(doc, "B").foreground().color(), QColor(0, 0, 128));
        QVERIFY(!formatOf(doc, "C").hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!formatOf(doc, "D").hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(formatOf(doc, "E").background().color(), QColor(255, 255, 0));
        QVERIFY(!formatOf(doc, "F").hasProperty(QTextFormat::BackgroundBrush));
        QCOMPARE(formatOf(doc, "G").background().color(), QColor(0, 0, 128));
    }

    void colourZeroIsAutomatic()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1{\\colortbl\\red0\\green128\\blue0;}\\cf0 A}", doc);
        QVERIFY(!formatOf(doc, "A").hasProperty(QTextFormat::ForegroundBrush));
    }

    void scripts()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1 U{\\sub bx}A{\\super 2}B\\super C\\nosupersub D}", doc);
        QCOMPARE(formatOf(doc, "bx").verticalAlignment(), QTextCharFormat::AlignSubScript);
        QCOMPARE(formatOf(doc, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatOf(doc, "C").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(formatOf(doc, "D").verticalAlignment(), QTextCharFormat::AlignNormal);
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
        const QTextBlockFormat f = blockOf(doc, "X");
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
        QCOMPARE(blockOf(doc, "Title").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(blockOf(doc, "Body").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
        QCOMPARE(blockOf(doc, "Tail").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(blockOf(doc, "Title").textIndent(), 0.0);
    }

    // ------------------------------------------------------------ tables

    void tableRowsOfCells()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1 Before\\par"
                        "\\trowd\\cellx1500\\cellx3000\\pard\\intbl R\\'e5\\cell \\b U\\b0\\cell\\row"
                        "\\trowd\\cellx1500\\cellx3000\\pard\\intbl 1\\par 2\\cell 3\\cell\\row"
                        "\\pard After\\par}",
                        doc);
        QTextTable* table = nullptr;
        for (QTextFrame* f : doc.rootFrame()->childFrames())
            if ((table = qobject_cast<QTextTable*>(f)))
                break;
        QVERIFY(table);
        QCOMPARE(table->rows(), 2);
        QCOMPARE(table->columns(), 2);
        auto cellText = [&](int r, int c) {
            QTextCursor cursor = table->cellAt(r, c).firstCursorPosition();
            cursor.setPosition(table->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
            return cursor.selection().toRawText();
        };
        QCOMPARE(cellText(0, 0), QString("R\u0435"));
        QCOMPARE(cellText(0, 1), QString("U"));
        QCOMPARE(cellText(1, 0), QString("1\u20292"));
        QCOMPARE(cellText(1, 1), QString("3"));
        QVERIFY(formatOf(doc, "U").fontWeight() >= QFont::Bold);
        // Column widths from \cellx: 1500 twips are 100 pixels.
        const auto widths = table->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 2);
        QCOMPARE(widths[0].rawValue(), 100.0);
        // Text around the table stays outside it.
        QCOMPARE(doc.begin().text(), QString("Before"));
        QCOMPARE(doc.lastBlock().text(), QString("After"));
        QVERIFY(!QTextCursor(doc.lastBlock()).currentTable());
    }

    void tableCellsPastTheLimitGoIntoTheLastCell()
    {
        QByteArray rtf = "{\\rtf1\\trowd\\pard\\intbl ";
        for (int i = 0; i < RtfReader::MaxTableColumns + 10; ++i)
            rtf += QByteArray::number(i) + "\\cell ";
        rtf += "\\row}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QTextTable* table = qobject_cast<QTextTable*>(doc.rootFrame()->childFrames().value(0));
        QVERIFY(table);
        QCOMPARE(table->columns(), RtfReader::MaxTableColumns);
        QVERIFY(doc.toPlainText().contains(QString::number(RtfReader::MaxTableColumns + 9)));
    }

    void longTablesGoOnAsNewTables()
    {
        QByteArray rtf = "{\\rtf1 ";
        const int rows = RtfReader::MaxTableCells / 4 + 5;
        for (int i = 0; i < rows; ++i)
            rtf += "\\trowd\\cellx1000\\cellx2000\\cellx3000\\cellx4000\\pard\\intbl r" + QByteArray::number(i)
                + "\\cell\\cell\\cell\\cell\\row";
        rtf += "}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        int total = 0;
        int tables = 0;
        for (QTextFrame* f : doc.rootFrame()->childFrames())
            if (auto* t = qobject_cast<QTextTable*>(f)) {
                total += t->rows();
                ++tables;
                QCOMPARE(t->columns(), 4);
            }
        QCOMPARE(total, rows);
        QCOMPARE(tables, 2);
        QVERIFY(doc.toPlainText().contains(QString("r%1").arg(rows - 1)));
    }

    // ------------------------------------------------------------ pictures

    void pictures_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QSizeF>("size");
        const QByteArray png = hex(encoded(testImage(), "PNG"));
        const QByteArray jpeg = hex(encoded(testImage(), "JPEG"));
        QTest::newRow("png, own size") << QByteArray("{\\rtf1 a{\\pict\\pngblip " + png + "}b}") << QSizeF(6, 4);
        QTest::newRow("png, goal size") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picw6\\pich4\\picwgoal1500\\pichgoal750\n"
                                                      + png + "}b}")
                                        << QSizeF(100, 50);
        QTest::newRow("png, scaled") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picwgoal1500\\pichgoal750"
                                                   "\\picscalex50\\picscaley200 "
                                                   + png + "}b}")
                                     << QSizeF(50, 100);
        QTest::newRow("jpeg") << QByteArray("{\\rtf1 a{\\pict\\jpegblip " + jpeg + "}b}") << QSizeF(6, 4);
        QTest::newRow("hex broken by line ends") << QByteArray("{\\rtf1 a{\\pict\\pngblip " + png.left(10) + "\r\n"
                                                               + png.mid(10) + "}b}")
                                                 << QSizeF(6, 4);
        QTest::newRow("binary data")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin" + QByteArray::number(encoded(testImage(), "PNG").size()) + " "
                          + encoded(testImage(), "PNG") + "}b}")
            << QSizeF(6, 4);
        QTest::newRow("shape picture, not its fallback")
            << QByteArray("{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv 1}}}\\pngblip{\\*\\blipuid 0123abcd}"
                          + png + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b}")
            << QSizeF(6, 4);
    }
    void pictures()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QSizeF, size);
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        const QList<Picture> pictures = picturesOf(doc);
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(pictures[0].image.size(), QSize(6, 4));
        const QColor colour = pictures[0].image.pixelColor(2, 2);
        QVERIFY2(qAbs(colour.red() - 200) < 8 && qAbs(colour.green() - 30) < 8, qPrintable(colour.name()));
        QCOMPARE(QSizeF(pictures[0].format.width(), pictures[0].format.height()), size);
        QCOMPARE(doc.toPlainText(), QString("a") + QChar::ObjectReplacementCharacter + "b");
    }

    void picturesLeftOut_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        const QByteArray png = hex(encoded(testImage(), "PNG"));
        QTest::newRow("metafile") << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\picw10 0102030405}b}");
        QTest::newRow("bitmap") << QByteArray("{\\rtf1 a{\\pict\\dibitmap0 0102030405}b}");
        QTest::newRow("no type") << QByteArray("{\\rtf1 a{\\pict " + png + "}b}");
        QTest::newRow("not a png") << QByteArray("{\\rtf1 a{\\pict\\pngblip 00112233445566778899}b}");
        QTest::newRow("jpeg data called png") << QByteArray("{\\rtf1 a{\\pict\\pngblip "
                                                            + hex(encoded(testImage(), "JPEG")) + "}b}");
        QTest::newRow("cut-off data") << QByteArray("{\\rtf1 a{\\pict\\pngblip " + png.left(png.size() / 2) + "}b}");
        QTest::newRow("hidden") << QByteArray("{\\rtf1 a{\\v{\\pict\\pngblip " + png + "}}b}");
        QTest::newRow("inside a skipped group") << QByteArray("{\\rtf1 a{\\*\\unknown{\\pict\\pngblip " + png + "}}b}");
        QTest::newRow("nonshppict") << QByteArray("{\\rtf1 a{\\nonshppict{\\pict\\pngblip " + png + "}}b}");
    }
    void picturesLeftOut()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QVERIFY(picturesOf(doc).isEmpty());
        QCOMPARE(doc.toPlainText(), QString("ab"));
    }

    void pictureOverTheByteLimitIsLeftOut()
    {
        // A picture whose data passes the limit is dropped without keeping
        // the rest of its data.
        QByteArray rtf = "{\\rtf1 a{\\pict\\pngblip " + hex(encoded(testImage(), "PNG"));
        rtf += QByteArray(2 * RtfReader::MaxPictureBytes, '0');
        rtf += "}b}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QVERIFY(picturesOf(doc).isEmpty());
        QCOMPARE(doc.toPlainText(), QString("ab"));
    }

    void pictureOverThePixelLimitIsLeftOut()
    {
        // Small on disk, huge when decoded.
        QImage big(4097, 4097, QImage::Format_Mono);
        big.fill(0);
        const QByteArray rtf = "{\\rtf1 a{\\pict\\pngblip " + hex(encoded(big, "PNG")) + "}b}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QVERIFY(picturesOf(doc).isEmpty());
        QCOMPARE(doc.toPlainText(), QString("ab"));
    }

    void picturesShareAPixelBudget()
    {
        QImage large(4096, 4096, QImage::Format_Mono);
        large.fill(0);
        const QByteArray picture = "{\\pict\\pngblip " + hex(encoded(large, "PNG")) + "}";
        QTextDocument doc;
        RtfReader::read("{\\rtf1 " + picture + picture + picture + "}", doc);
        QCOMPARE(picturesOf(doc).size(), int(RtfReader::MaxAllPicturePixels / RtfReader::MaxPicturePixels));
    }

    // ------------------------------------------------------------ skipped destinations

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
        const QString text = textOf(rtf);
        QVERIFY2(text == "AB" || text == "A\tB", qPrintable(text));
    }

    // ------------------------------------------------------------ damaged and hostile input

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
        QTest::newRow("NUL bytes in text") << bytes("{\\rtf1 a\0b\0\0c}") << QString("abc");
        QTest::newRow("NUL after backslash") << bytes("{\\rtf1 a\\\0b}") << QString("ab");
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
        QCOMPARE(textOf(rtf), text);
    }

    void deepNestingUnclosed()
    {
        const QByteArray rtf = "{\\rtf1 A" + QByteArray(100000, '{') + "B";
        QCOMPARE(textOf(rtf), QString("A"));
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

QTEST_MAIN(tst_RtfReader)
#include "tst_RtfReader.moc"
