// The shared 3-D edges and the engraved glyph of a disabled control, drawn
// into a bitmap and read back pixel by pixel.
#include "widgets/common/Bevel.h"
#include "widgets/common/EngravedGlyph.h"

#include "platform/TColor.h"

#include <QPainter>
#include <QTest>

namespace {

constexpr TColor Light = clWhite;
const TColor Dark = TColor::fromRgb(64, 64, 64);
const QColor Ground(0, 0, 255);

// The bitmap as rows of letters: L light, D dark, . the ground.
QStringList rows(const QImage& image)
{
    QStringList out;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            row += c == Light.toQColor() ? QLatin1Char('L') : c == Dark.toQColor() ? QLatin1Char('D') : QLatin1Char('.');
        }
        out << row;
    }
    return out;
}

} // namespace

class tst_Bevel : public QObject
{
    Q_OBJECT

private slots:
    void frames_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("pixels");
        QTest::addColumn<QRect>("left");
        // The bottom-right colour holds the top-right and bottom-left corners.
        QTest::newRow("one frame") << QRect(0, 0, 4, 3) << 1 << QStringList{"LLLD", "L..D", "DDDD"}
                                   << QRect(1, 1, 2, 1);
        QTest::newRow("two frames") << QRect(0, 0, 5, 5) << 2
                                    << QStringList{"LLLLD", "LLLDD", "LL.DD", "LDDDD", "DDDDD"} << QRect(2, 2, 1, 1);
        // Drawing stops where the rectangle becomes empty, and nothing is
        // drawn outside it.
        QTest::newRow("narrower than the frames") << QRect(1, 0, 2, 3) << 3
                                                  << QStringList{".LD.", ".LD.", ".DD."} << QRect(2, 1, 0, 1);
        QTest::newRow("empty") << QRect(1, 1, 0, 2) << 1 << QStringList{"....", "....", "...."} << QRect(1, 1, 0, 2);
    }
    void frames()
    {
        QFETCH(QRect, rect);
        QFETCH(int, width);
        QFETCH(QStringList, pixels);
        QFETCH(QRect, left);
        QImage image(pixels[0].size(), pixels.size(), QImage::Format_RGB32);
        image.fill(Ground);
        QPainter painter(&image);
        Bevel::frame(painter, rect, Light, Dark, width);
        painter.end();
        QCOMPARE(rows(image), pixels);
        QCOMPARE(rect, left);
    }

    void engravedGlyph()
    {
        // The shape in the highlight one pixel right and down, in the shadow
        // in place; one pixel larger than the glyph, transparent elsewhere.
        QImage glyph(3, 2, QImage::Format_RGB32);
        glyph.fill(Qt::white);
        glyph.setPixel(0, 0, qRgb(0, 0, 0));
        const QImage engraving =
            EngravedGlyph::render(glyph, [](QRgb c) { return (c & 0x00FFFFFFu) != 0x00FFFFFFu; });
        QCOMPARE(engraving.size(), QSize(4, 3));
        QCOMPARE(engraving.pixelColor(0, 0), clBtnShadow.toQColor());
        QCOMPARE(engraving.pixelColor(1, 1), clBtnHighlight.toQColor());
        for (const QPoint at : {QPoint(1, 0), QPoint(0, 1), QPoint(3, 2), QPoint(2, 1)})
            QCOMPARE(qAlpha(engraving.pixel(at)), 0);
    }
};

QTEST_MAIN(tst_Bevel)
#include "tst_Bevel.moc"
