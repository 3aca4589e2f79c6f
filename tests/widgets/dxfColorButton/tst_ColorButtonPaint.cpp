// The colour button's look: the two faces and when they are rendered, the
// places of glyph and caption lines in the four layouts, and the engraved
// caption of a disabled button.
#include "widgets/dxfColorButton/ColorButtonContent.h"
#include "support/WidgetFixture.h"
#include "widgets/dxfColorButton/ColorButtonFace.h"
#include "widgets/dxfColorButton/TdxfColorButton.h"

#include <QtTest>

namespace {

using Side = ColorButtonContent::GlyphSide;

QRgb rgb(TColor colour)
{
    return colour.toQColor().rgb();
}

using fixture::pixelsOf;

} // namespace

class tst_ColorButtonPaint : public QObject
{
    Q_OBJECT

private slots:
    void upFaceIsABallLitFromTheUpperLeft()
    {
        const QImage face = ColorButtonFace::render(QSize(203, 63), clAqua, false);
        QCOMPARE(face.size(), QSize(203, 63));
        // Outside every ellipse: three fifths of the colour.
        QCOMPARE(face.pixel(0, 0), qRgb(0, 153, 153));
        QCOMPARE(face.pixel(202, 62), qRgb(0, 153, 153));
        // The brightest spot lies at (W div 5, H div 5): the last ellipse
        // with an inside, 104 of 126 steps from three fifths of the colour
        // toward white.
        QCOMPARE(face.pixel(40, 12), qRgb(210, 237, 237));
        QVERIFY(qGreen(face.pixel(150, 45)) < qGreen(face.pixel(60, 20)));
    }

    void pressedFaceHasASunkenDisc()
    {
        const QImage up = ColorButtonFace::render(QSize(203, 63), clAqua, false);
        const QImage down = ColorButtonFace::render(QSize(203, 63), clAqua, true);
        QCOMPARE(down.pixel(0, 0), up.pixel(0, 0));
        // The disc's light falls toward (w10 + W2 - w5', h10 + H2 - h5') =
        // (20 + 163 - 32, 6 + 51 - 10) = (151, 47); its last ellipse with
        // an inside is 83 of 100 steps toward white.
        QCOMPARE(down.pixel(151, 47), qRgb(211, 237, 237));
        QVERIFY(qGreen(down.pixel(151, 47)) > qGreen(up.pixel(151, 47)));
        QVERIFY(qGreen(down.pixel(60, 20)) < qGreen(up.pixel(60, 20)));
    }

    void faceAtTwiceThePixels()
    {
        // On a screen of ratio 2 the same ball at twice the pixels: the
        // same colours at the same points, not the small face scaled.
        const QImage one = ColorButtonFace::render(QSize(203, 63), clAqua, true);
        const QImage two = ColorButtonFace::render(QSize(203, 63), clAqua, true, 2);
        QCOMPARE(two.size(), QSize(406, 126));
        QCOMPARE(two.devicePixelRatio(), 2.0);
        for (const QPoint at : {QPoint(0, 0), QPoint(40, 12), QPoint(151, 47), QPoint(101, 31)})
            QVERIFY(qAbs(qGreen(two.pixel(at * 2)) - qGreen(one.pixel(at))) <= 8);
        // Between two rings of the small face lies a shade of its own.
        QSet<QRgb> shades1, shades2;
        for (int x = 0; x < 203; ++x)
            shades1 << one.pixel(x, 31);
        for (int x = 0; x < 406; ++x)
            shades2 << two.pixel(x, 63);
        QVERIFY(shades2.size() > shades1.size());
    }

    void tinyFacesDoNotFail()
    {
        QVERIFY(ColorButtonFace::render(QSize(0, 10), clWhite, true).isNull());
        const QImage one = ColorButtonFace::render(QSize(1, 1), clWhite, true);
        QCOMPARE(one.size(), QSize(1, 1));
        QCOMPARE(ColorButtonFace::render(QSize(3, 2), clWhite, true).size(), QSize(3, 2));
    }

    void facesRenderOnlyOnSizeColourOrFont()
    {
        QWidget page;
        TdxfColorButton& b = *new TdxfColorButton(&page);
        b.resize(99, 40);
        qint64 key = b.FaceUp().cacheKey();
        const qint64 downKey = b.FaceDown().cacheKey();

        b.setCaption(QString("Далее..."));
        b.setLayout(TdxfColorButton::dxfGlyphTop);
        b.setGlyph(QImage(8, 8, QImage::Format_RGB32));
        b.setEnabled(false);
        QCOMPARE(b.FaceUp().cacheKey(), key);
        QCOMPARE(b.FaceDown().cacheKey(), downKey);

        b.setColor(clAqua);
        QVERIFY(b.FaceUp().cacheKey() != key);
        QCOMPARE(b.FaceUp().pixel(0, 0), qRgb(0, 153, 153));
        key = b.FaceUp().cacheKey();

        page.show();
        b.resize(203, 63);
        QCoreApplication::processEvents();
        QCOMPARE(b.FaceUp().size(), QSize(203, 63));
        key = b.FaceUp().cacheKey();

        QFont font = b.font();
        font.setPixelSize(19);
        b.setFont(font);
        QVERIFY(b.FaceUp().cacheKey() != key);
    }

    void placement_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QSize>("glyph");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QPoint>("glyphAt");
        QTest::addColumn<QList<QPoint>>("lines");
        // A 100 x 60 button, lines 13 high.
        const QList<int> two{40, 20};
        QTest::newRow("top, two lines centred below the glyph")
            << int(Side::GlyphTop) << QSize(16, 16) << two << false << QPoint(42, 7)
            << QList<QPoint>{{30, 27}, {40, 40}};
        QTest::newRow("top, pressed")
            << int(Side::GlyphTop) << QSize(16, 16) << two << true << QPoint(43, 8)
            << QList<QPoint>{{31, 28}, {41, 41}};
        QTest::newRow("bottom") << int(Side::GlyphBottom) << QSize(16, 16) << two << false << QPoint(42, 37)
                                << QList<QPoint>{{30, 7}, {40, 20}};
        QTest::newRow("left, lines left-aligned")
            << int(Side::GlyphLeft) << QSize(16, 16) << two << false << QPoint(20, 22)
            << QList<QPoint>{{40, 17}, {40, 30}};
        QTest::newRow("right, lines right-aligned")
            << int(Side::GlyphRight) << QSize(16, 16) << two << false << QPoint(64, 22)
            << QList<QPoint>{{20, 17}, {40, 30}};
        for (int side = 0; side < 4; ++side)
            QTest::addRow("no glyph, no gap, side %d", side)
                << side << QSize(0, 0) << QList<int>{50} << false
                << QPoint(side == Side::GlyphRight ? 75 : side == Side::GlyphLeft ? 25 : 50,
                          side == Side::GlyphTop ? 23 : side == Side::GlyphBottom ? 36 : 30)
                << QList<QPoint>{{25, 23}};
    }
    void placement()
    {
        QFETCH(int, side);
        QFETCH(QSize, glyph);
        QFETCH(QList<int>, widths);
        QFETCH(bool, pressed);
        QFETCH(QPoint, glyphAt);
        QFETCH(QList<QPoint>, lines);
        const auto placed = ColorButtonContent::place(QSize(100, 60), glyph, widths, 13, Side(side), pressed);
        QCOMPARE(placed.Glyph, glyphAt);
        QCOMPARE(placed.Lines, lines);
    }

    void glyphOnTopOfTwoLinesOnScreen()
    {
        TdxfColorButton b;
        b.resize(120, 80);
        b.setColor(clAqua);
        b.setLayout(TdxfColorButton::dxfGlyphTop);
        b.setCaption(QStringList{"Далее", "дальше"});
        QImage glyph(10, 10, QImage::Format_RGB32);
        glyph.fill(qRgb(255, 0, 255));
        for (int y = 0; y < 9; ++y)
            for (int x = 1; x < 10; ++x)
                glyph.setPixel(x, y, qRgb(255, 0, 0));
        b.setGlyph(glyph);
        const int lh = QFontMetrics(b.font()).height();
        const QImage shot = b.grab().toImage();
        const QRect red = pixelsOf(shot, qRgb(255, 0, 0));
        const QPoint glyphAt((120 - 10) / 2, (80 - 10 - 2 * lh - 4) / 2);
        QCOMPARE(red, QRect(glyphAt + QPoint(1, 0), QSize(9, 9)));
        QVERIFY(pixelsOf(shot, qRgb(255, 0, 255)).isNull()); // transparent colour left out
        // The caption lies below the glyph, 4 pixels apart.
        const QRect text = pixelsOf(shot, qRgb(0, 0, 0));
        QVERIFY(text.top() >= glyphAt.y() + 10 + 4);
        QVERIFY(text.bottom() < glyphAt.y() + 10 + 4 + 2 * lh);
    }

    void disabledCaptionIsEngraved()
    {
        TdxfColorButton b;
        b.resize(203, 63);
        b.setColor(clAqua);
        QFont font = b.font();
        font.setPixelSize(19);
        font.setStyleStrategy(QFont::NoAntialias);
        b.setFont(font);
        b.setCaption(QString("Регистрация"));
        const QImage enabled = b.grab().toImage();
        QVERIFY(!pixelsOf(enabled, qRgb(0, 0, 0)).isNull());
        QVERIFY(pixelsOf(enabled, rgb(clBtnHighlight)).isNull());

        b.setEnabled(false);
        const QImage disabled = b.grab().toImage();
        QVERIFY(pixelsOf(disabled, qRgb(0, 0, 0)).isNull());
        const QRect light = pixelsOf(disabled, rgb(clBtnHighlight));
        const QRect dark = pixelsOf(disabled, rgb(clBtnShadow));
        QVERIFY(!light.isNull() && !dark.isNull());
        QCOMPARE(light.bottomRight(), dark.bottomRight() + QPoint(1, 1));
    }
};

QTEST_MAIN(tst_ColorButtonPaint)
#include "tst_ColorButtonPaint.moc"
