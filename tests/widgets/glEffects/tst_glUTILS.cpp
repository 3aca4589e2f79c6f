// The colour routines of the bitmap effects: lightening, corner pixels,
// colour replacement and the solid colours of a 256-colour screen.
#include "widgets/glEffects/glUTILS.h"

#include <QtTest>

class tst_glUTILS : public QObject
{
    Q_OBJECT

private slots:
    void lightenColor_data()
    {
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("expected");
        QTest::newRow("button face by 30")
            << TColor::fromRgb(212, 208, 200).value() << 30 << TColor::fromRgb(242, 238, 230).value();
        QTest::newRow("capped at 255")
            << TColor::fromRgb(212, 208, 200).value() << 50 << TColor::fromRgb(255, 255, 250).value();
        QTest::newRow("system colour taken as RGB")
            << clBtnFace.value() << 30 << TColor::fromRgb(242, 238, 230).value();
        QTest::newRow("channels stay apart")
            << TColor::fromRgb(255, 0, 1).value() << 10 << TColor::fromRgb(255, 10, 11).value();
    }
    void lightenColor()
    {
        QFETCH(int, colour);
        QFETCH(int, amount);
        QFETCH(int, expected);
        QCOMPARE(LightenColor(TColor(colour), amount), TColor(expected));
    }

    void cornerPixelReadsEachCorner()
    {
        QImage bitmap(16, 16, QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        bitmap.setPixel(0, 0, qRgb(1, 0, 0));
        bitmap.setPixel(0, 15, qRgb(2, 0, 0));
        bitmap.setPixel(15, 0, qRgb(3, 0, 0));
        bitmap.setPixel(15, 15, qRgb(4, 0, 0));
        QCOMPARE(CornerPixel(bitmap, crTopLeft), TColor::fromRgb(1, 0, 0));
        QCOMPARE(CornerPixel(bitmap, crBottomLeft), TColor::fromRgb(2, 0, 0));
        QCOMPARE(CornerPixel(bitmap, crTopRight), TColor::fromRgb(3, 0, 0));
        QCOMPARE(CornerPixel(bitmap, crBottomRight), TColor::fromRgb(4, 0, 0));
        QCOMPARE(CornerPixel(bitmap, TglCorner(9)), TColor::fromRgb(4, 0, 0));
        QCOMPARE(CornerPixel(bitmap, crNone), TColor(0));
        QCOMPARE(CornerPixel(QImage(), crBottomLeft), TColor(0));
        QCOMPARE(CornerPixel(QImage(0, 5, QImage::Format_RGB32), crBottomLeft), TColor(0));
    }

    void replaceColorRepaintsOnlyThatColour()
    {
        QImage bitmap(3, 1, QImage::Format_ARGB32);
        bitmap.setPixel(0, 0, qRgba(255, 255, 255, 255));
        bitmap.setPixel(1, 0, qRgba(128, 128, 128, 255));
        bitmap.setPixel(2, 0, qRgba(255, 255, 255, 0));
        ReplaceColor(bitmap, clWhite, clBtnFace);
        const QRgb face = clBtnFace.toQColor().rgb();
        QCOMPARE(bitmap.pixel(0, 0), face);
        QCOMPARE(bitmap.pixel(1, 0), qRgba(128, 128, 128, 255));
        QCOMPARE(qAlpha(bitmap.pixel(2, 0)), 0); // the alpha channel stays

        QImage indexed(2, 1, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(0, 0, 0), qRgb(128, 128, 128)});
        indexed.setPixel(0, 0, 0);
        indexed.setPixel(1, 0, 1);
        ReplaceColor(indexed, clGray, clRed);
        QCOMPARE(QColor(indexed.pixel(1, 0)), QColor(255, 0, 0));
        QCOMPARE(QColor(indexed.pixel(0, 0)), QColor(0, 0, 0));
    }

    void nearestSolidColor()
    {
        QCOMPARE(NearestSolidColor(clAqua), clAqua);
        QCOMPARE(NearestSolidColor(TColor::fromRgb(250, 250, 250)), clWhite);
        QCOMPARE(NearestSolidColor(TColor::fromRgb(120, 10, 0)), clMaroon);
        QCOMPARE(NearestSolidColor(clBtnShadow), clGray);
    }
};

QTEST_GUILESS_MAIN(tst_glUTILS)
#include "tst_glUTILS.moc"
