// Drawing bitmaps: position and offset, transparency, the scale modes and
// the plain, disabled and system-colour styles.
#include "widgets/glEffects/glUTILS.h"
#include "support/WidgetFixture.h"

#include <QPainter>
#include <QtTest>

namespace {

const QRgb Paper = qRgb(1, 2, 3);
const QRgb Magenta = qRgb(255, 0, 255);
const QRgb Red = qRgb(255, 0, 0);

// A w x h bitmap on magenta with a red block at (bx, by, bw, bh).
QImage glyph(int w, int h, QRect block)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Magenta);
    QPainter(&image).fillRect(block, QColor(Red));
    return image;
}

QImage draw(const QImage& bitmap, const TRect& dest, int dx, int dy, TglScaleMode mode,
            TglBitmapStyle style, bool transparent, QSize canvas = QSize(48, 32))
{
    QImage image(canvas, QImage::Format_RGB32);
    image.fill(Paper);
    QPainter p(&image);
    DrawBitmapEx(p, bitmap, dest, dx, dy, mode, style, transparent, CornerPixel(bitmap, crBottomLeft),
                 TColor(0));
    return image;
}

// The bounding box of the pixels that differ from the paper.
QRect drawnArea(const QImage& image)
{
    return fixture::boxOf(image, [](QRgb pixel) { return pixel != Paper; });
}

} // namespace

class tst_DrawBitmapEx : public QObject
{
    Q_OBJECT

private slots:
    void plainAtDestinationPlusOffset()
    {
        const QImage bitmap = glyph(6, 4, QRect(0, 0, 6, 4));
        const QImage image = draw(bitmap, TRect{10, 5, 40, 30}, 3, 2, smNone, bmsPlain, false);
        QCOMPARE(drawnArea(image), QRect(13, 7, 6, 4));
    }

    void transparentColourLeavesTheDestination()
    {
        const QImage bitmap = glyph(8, 8, QRect(2, 2, 4, 4));
        const QImage opaque = draw(bitmap, TRect{0, 0, 48, 32}, 0, 0, smNone, bmsPlain, false);
        QCOMPARE(opaque.pixel(0, 0), Magenta);
        const QImage clear = draw(bitmap, TRect{0, 0, 48, 32}, 0, 0, smNone, bmsPlain, true);
        QCOMPARE(clear.pixel(0, 0), Paper);
        QCOMPARE(clear.pixel(2, 2), Red);
        QCOMPARE(drawnArea(clear), QRect(2, 2, 4, 4));
    }

    void scaleModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRect>("area");
        // A 32 x 16 bitmap into a 20 x 20 destination at (4, 4).
        QTest::newRow("none") << int(smNone) << QRect(4, 4, 32, 16);
        QTest::newRow("stretch") << int(smStretch) << QRect(4, 4, 20, 20);
        QTest::newRow("fit keeps proportions") << int(smFit) << QRect(4, 4, 20, 10);
    }
    void scaleModes()
    {
        QFETCH(int, mode);
        QFETCH(QRect, area);
        const QImage bitmap = glyph(32, 16, QRect(0, 0, 32, 16));
        const QImage image = draw(bitmap, TRect{4, 4, 24, 24}, 0, 0, TglScaleMode(mode), bmsPlain, false);
        QCOMPARE(drawnArea(image), area);
    }

    void tilesFillTheDestinationAndAreCut()
    {
        // 5 x 4 tiles with a red top-left pixel, into (2, 2) - (14, 11).
        QImage bitmap(5, 4, QImage::Format_RGB32);
        bitmap.fill(qRgb(0, 0, 255));
        bitmap.setPixel(0, 0, Red);
        const QImage image = draw(bitmap, TRect{2, 2, 14, 11}, 0, 0, smTile, bmsPlain, false);
        QCOMPARE(drawnArea(image), QRect(2, 2, 12, 9));
        for (const QPoint at : {QPoint(2, 2), QPoint(7, 2), QPoint(12, 2), QPoint(2, 6), QPoint(12, 10)})
            QCOMPARE(image.pixel(at), Red);
        QCOMPARE(image.pixel(13, 10), qRgb(0, 0, 255));
    }

    void systemColoursStyle()
    {
        QImage bitmap(3, 1, QImage::Format_RGB32);
        bitmap.setPixel(0, 0, qRgb(255, 255, 255));
        bitmap.setPixel(1, 0, qRgb(128, 128, 128));
        bitmap.setPixel(2, 0, Red);
        QImage image(3, 1, QImage::Format_RGB32);
        image.fill(Paper);
        QPainter p(&image);
        DrawBitmapEx(p, bitmap, TRect{0, 0, 3, 1}, 0, 0, smNone, bmsSystemColors, false, clBlack, TColor(0));
        p.end();
        QCOMPARE(image.pixel(0, 0), clBtnHighlight.toQColor().rgb());
        QCOMPARE(image.pixel(1, 0), clBtnShadow.toQColor().rgb());
        QCOMPARE(image.pixel(2, 0), Red);
    }

    void disabledStyleEngravesTheShape()
    {
        // A 1-pixel red dot at (1, 1) of a 4 x 4 magenta bitmap.
        const QImage bitmap = glyph(4, 4, QRect(1, 1, 1, 1));
        const QImage opaque = draw(bitmap, TRect{0, 0, 48, 32}, 0, 0, smNone, bmsDisabled, false);
        QCOMPARE(opaque.pixel(1, 1), clBtnShadow.toQColor().rgb());
        QCOMPARE(opaque.pixel(2, 2), clBtnHighlight.toQColor().rgb());
        QCOMPARE(opaque.pixel(0, 0), clBtnFace.toQColor().rgb());
        // Transparent: the button face is the transparent colour.
        const QImage clear = draw(bitmap, TRect{0, 0, 48, 32}, 0, 0, smNone, bmsDisabled, true);
        QCOMPARE(clear.pixel(0, 0), Paper);
        QCOMPARE(drawnArea(clear), QRect(1, 1, 2, 2));
    }

    void emptyBitmapDrawsNothing()
    {
        const QImage image = draw(QImage(), TRect{0, 0, 48, 32}, 0, 0, smStretch, bmsPlain, false);
        QVERIFY(drawnArea(image).isNull());
        const QImage none = draw(QImage(0, 4, QImage::Format_RGB32), TRect{0, 0, 48, 32}, 0, 0, smTile,
                                 bmsPlain, false);
        QVERIFY(drawnArea(none).isNull());
    }
};

QTEST_MAIN(tst_DrawBitmapEx)
#include "tst_DrawBitmapEx.moc"
