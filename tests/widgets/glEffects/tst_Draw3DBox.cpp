// Bevelled boxes: which pixels each bevel style draws in which colour, the
// inside that is filled and returned, the side mask and the double line.
#include "widgets/glEffects/glCommCl.h"
#include "widgets/glEffects/glUTILS.h"

#include <QPainter>
#include <QtTest>

namespace {

const QRgb Paper = qRgb(1, 2, 3);
const QRgb Fill = qRgb(0, 255, 255);

QRgb rgb(TColor colour)
{
    return colour.toQColor().rgb();
}

struct Box
{
    QImage Image{40, 30, QImage::Format_RGB32};
    TRect Out;

    Box(const TRect& r, int sides, TglBevelStyle inner, TglBevelStyle outer, bool doubleLine = false,
        bool noFill = false)
    {
        Image.fill(Paper);
        QPainter p(&Image);
        Draw3DBox(p, r, sides, inner, outer, doubleLine, TColor::fromRgb(0, 255, 255), noFill, Out);
    }
    QRgb at(int x, int y) const { return Image.pixel(x, y); }
    // The pixels of one column or row, from a to b.
    QList<QRgb> column(int x, int y1, int y2) const
    {
        QList<QRgb> out;
        for (int y = y1; y <= y2; ++y)
            out << at(x, y);
        return out;
    }
    QList<QRgb> row(int y, int x1, int x2) const
    {
        QList<QRgb> out;
        for (int x = x1; x <= x2; ++x)
            out << at(x, y);
        return out;
    }
};

QList<QRgb> run(QRgb c, int n)
{
    return QList<QRgb>(n, c);
}

} // namespace

class tst_Draw3DBox : public QObject
{
    Q_OBJECT

private slots:
    void raisedBevelOfTheOkButton()
    {
        // The framed speed button at rest: R = (1, 1, 265, 35) on 267 x 37.
        QImage image(267, 37, QImage::Format_RGB32);
        image.fill(Paper);
        QPainter p(&image);
        TRect out;
        Draw3DBox(p, TRect{1, 1, 265, 35}, sdAll, bvsNone, bvsRaised, false, clAqua, false, out);
        p.end();
        QCOMPARE(out, (TRect{2, 2, 264, 34}));
        const QRgb light = rgb(clBtnHighlight);
        const QRgb shadow = rgb(clBtnShadow);
        QCOMPARE(image.pixel(1, 1), light);
        QCOMPARE(image.pixel(1, 34), light);
        QCOMPARE(image.pixel(264, 1), light);
        QCOMPARE(image.pixel(265, 1), shadow);
        QCOMPARE(image.pixel(265, 35), shadow);
        QCOMPARE(image.pixel(1, 35), shadow);
        QCOMPARE(image.pixel(264, 35), shadow);
        QCOMPARE(image.pixel(2, 2), Fill);
        QCOMPARE(image.pixel(264, 34), Fill); // right and bottom filled
        QCOMPARE(image.pixel(0, 0), Paper);
        QCOMPARE(image.pixel(266, 36), Paper);
        QCOMPARE(image.pixel(266, 1), Paper);
    }

    void loweredBevelSwapsTheColours()
    {
        const Box box(TRect{2, 2, 12, 10}, sdAll, bvsNone, bvsLowered);
        const QRgb light = rgb(clBtnHighlight);
        const QRgb shadow = rgb(clBtnShadow);
        QCOMPARE(box.column(2, 2, 9), run(shadow, 8));
        QCOMPARE(box.row(2, 2, 11), run(shadow, 10));
        QCOMPARE(box.column(12, 2, 9), run(light, 8));
        QCOMPARE(box.row(10, 2, 12), run(light, 11));
        QCOMPARE(box.Out, (TRect{3, 3, 11, 9}));
        QCOMPARE(box.at(11, 9), Fill);
    }

    void flatFrameIsAllShadow()
    {
        const Box box(TRect{0, 0, 9, 6}, sdAll, bvsNone, bvsFrame);
        const QRgb shadow = rgb(clBtnShadow);
        QCOMPARE(box.row(0, 0, 9), run(shadow, 10));
        QCOMPARE(box.row(6, 0, 9), run(shadow, 10));
        QCOMPARE(box.column(0, 0, 6), run(shadow, 7));
        QCOMPARE(box.column(9, 0, 6), run(shadow, 7));
        QCOMPARE(box.Out, (TRect{1, 1, 8, 5}));
    }

    void noBevelFillsTheWholeRectangle()
    {
        const Box box(TRect{3, 4, 8, 9}, sdAll, bvsNone, bvsNone);
        QCOMPARE(box.Out, (TRect{3, 4, 8, 9}));
        QCOMPARE(box.at(3, 4), Fill);
        QCOMPARE(box.at(8, 9), Fill);
        QCOMPARE(box.at(9, 9), Paper);
        QCOMPARE(box.at(8, 10), Paper);
        const Box bare(TRect{3, 4, 8, 9}, sdAll, bvsNone, bvsNone, false, true);
        QCOMPARE(bare.at(5, 6), Paper);
    }

    void innerBevelInsideTheOuter()
    {
        const Box box(TRect{0, 0, 20, 12}, sdAll, bvsLowered, bvsRaised);
        QCOMPARE(box.Out, (TRect{2, 2, 18, 10}));
        QCOMPARE(box.at(1, 1), rgb(clBtnShadow)); // lowered inside: shadow top-left
        QCOMPARE(box.at(19, 5), rgb(clBtnHighlight));
        QCOMPARE(box.at(0, 0), rgb(clBtnHighlight));
        QCOMPARE(box.at(20, 5), rgb(clBtnShadow));
    }

    void sideMaskDrawsOnlyThoseSides()
    {
        const Box box(TRect{0, 0, 10, 8}, sdLeft | sdBottom, bvsNone, bvsRaised);
        QCOMPARE(box.Out, (TRect{1, 0, 10, 7}));
        QCOMPARE(box.at(0, 0), rgb(clBtnHighlight));
        QCOMPARE(box.at(5, 0), Fill);
        QCOMPARE(box.at(10, 3), Fill);
        QCOMPARE(box.at(1, 8), rgb(clBtnShadow));
    }

    void doubleLineDoublesTheShadedSides()
    {
        const QRgb dark = rgb(cl3DDkShadow);
        const QRgb shadow = rgb(clBtnShadow);
        const Box raised(TRect{0, 0, 12, 9}, sdAll, bvsNone, bvsRaised, true);
        QCOMPARE(raised.Out, (TRect{1, 1, 10, 7}));
        QCOMPARE(raised.column(12, 0, 9), run(dark, 10));
        QCOMPARE(raised.column(11, 1, 8), run(shadow, 8));
        QCOMPARE(raised.row(9, 1, 11), run(dark, 11));
        QCOMPARE(raised.row(8, 1, 11), run(shadow, 11));

        const Box lowered(TRect{0, 0, 12, 9}, sdAll, bvsNone, bvsLowered, true);
        QCOMPARE(lowered.Out, (TRect{2, 2, 11, 8}));
        QCOMPARE(lowered.column(0, 0, 8), run(dark, 9));
        QCOMPARE(lowered.column(1, 1, 8), run(shadow, 8));
        QCOMPARE(lowered.row(0, 1, 11), run(dark, 11));
        QCOMPARE(lowered.row(1, 2, 11), run(shadow, 10));
        QCOMPARE(lowered.at(12, 3), rgb(clBtnHighlight));
    }

    void sharedSchemeReplacesTheSystemColours()
    {
        Tgl3DColors scheme;
        scheme.Highlight = clRed;
        scheme.Shadow = clBlue;
        TglCommonData::setColors3D(&scheme);
        const Box box(TRect{0, 0, 6, 6}, sdAll, bvsNone, bvsRaised);
        TglCommonData::setColors3D(nullptr);
        QCOMPARE(box.at(0, 3), qRgb(255, 0, 0));
        QCOMPARE(box.at(6, 3), qRgb(0, 0, 255));
    }

    void linesTakeThePenWidthAndKeepThePen()
    {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Paper);
        QPainter p(&image);
        const QPen pen(Qt::green, 0);
        p.setPen(pen);
        Draw3DBox(p, TRect{2, 2, 15, 15}, sdAll, bvsNone, bvsRaised, false, clAqua, true);
        QCOMPARE(p.pen(), pen);
        p.setPen(QPen(Qt::NoPen));
        Draw3DBox(p, TRect{2, 2, 15, 15}, sdAll, bvsNone, bvsLowered, false, clAqua, true);
        p.end();
        QCOMPARE(image.pixel(2, 8), rgb(clBtnHighlight)); // the invisible pen drew nothing
        QCOMPARE(image.pixel(8, 8), Paper);
    }
};

QTEST_MAIN(tst_Draw3DBox)
#include "tst_Draw3DBox.moc"
