// A document's own sizes zoomed and back: fonts fixed in pixels and in
// points, and the sizes of its pictures.
#include "widgets/controls/TextZoom.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QtTest>

namespace {

// The sizes the document holds, fragment by fragment.
QList<qreal> sizes(const QTextDocument& doc)
{
    QList<qreal> out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat())
                out << f.toImageFormat().width() << f.toImageFormat().height();
            else if (f.hasProperty(QTextFormat::FontPixelSize))
                out << f.intProperty(QTextFormat::FontPixelSize);
            else if (f.hasProperty(QTextFormat::FontPointSize))
                out << f.fontPointSize();
            else
                out << 0;
        }
    return out;
}

void fill(QTextDocument& doc)
{
    QTextCursor cursor(&doc);
    QTextCharFormat pixels;
    pixels.setProperty(QTextFormat::FontPixelSize, 13);
    cursor.insertText("тринадцать пикселей ", pixels);
    QTextCharFormat points;
    points.setFontPointSize(10.5);
    cursor.insertText("десять с половиной пунктов ", points);
    cursor.insertText("без размера ", QTextCharFormat());
    QTextImageFormat picture;
    picture.setName("schematic.png");
    picture.setWidth(553);
    picture.setHeight(259);
    cursor.insertImage(picture);
}

} // namespace

class tst_TextZoom : public QObject
{
    Q_OBJECT

private slots:
    void sizesFollowTheFactorAndComeBack_data()
    {
        QTest::addColumn<QList<qreal>>("factors");  // applied in turn
        QTest::addColumn<QList<qreal>>("shown");    // the sizes after the last
        QTest::newRow("twice") << QList<qreal>{2} << QList<qreal>{26, 21, 0, 1106, 518};
        QTest::newRow("twice, then back") << QList<qreal>{2, 1} << QList<qreal>{13, 10.5, 0, 553, 259};
        QTest::newRow("from the sizes read, not the last shown") << QList<qreal>{2, 1.5, 1.87}
                                                                 << QList<qreal>{24, 10.5 * 1.87, 0, 553 * 1.87, 259 * 1.87};
        QTest::newRow("unzoomed") << QList<qreal>{1} << QList<qreal>{13, 10.5, 0, 553, 259};
    }
    void sizesFollowTheFactorAndComeBack()
    {
        QFETCH(QList<qreal>, factors);
        QFETCH(QList<qreal>, shown);
        QTextDocument doc;
        fill(doc);
        const QString text = doc.toPlainText();
        for (const qreal f : factors)
            TextZoom::apply(&doc, f);
        const QList<qreal> got = sizes(doc);
        QCOMPARE(got.size(), shown.size());
        for (int i = 0; i < got.size(); ++i)
            QVERIFY2(qAbs(got[i] - shown[i]) < 0.01, qPrintable(QString("%1: %2, not %3").arg(i).arg(got[i]).arg(shown[i])));
        QCOMPARE(doc.toPlainText(), text);
    }
};

QTEST_MAIN(tst_TextZoom)
#include "tst_TextZoom.moc"
