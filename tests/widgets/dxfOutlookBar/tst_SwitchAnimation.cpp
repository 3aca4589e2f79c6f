// The plan of the switch animation: the moving region, the step, the
// pacing and what each frame draws.
#include "widgets/dxfOutlookBar/OutlookLayout.h"
#include "widgets/dxfOutlookBar/SwitchAnimation.h"

#include <QtTest>

namespace {

QRect ltrb(int l, int t, int r, int b) { return OutlookLayout::ltrb(l, t, r, b); }

// The plan for a switch between groups at positions from and to of a bar,
// with the headers where the bar puts them.
SwitchAnimation plan(bool vertical, QSize size, int count, int from, int to)
{
    const OutlookLayout before(vertical, size.width(), size.height(), 21, count, from);
    const OutlookLayout after(vertical, size.width(), size.height(), 21, count, to);
    return SwitchAnimation(vertical, size, count, 21, after.headerRect(from), after.headerRect(to),
                           before.headerRect(to));
}

} // namespace

class tst_SwitchAnimation : public QObject
{
    Q_OBJECT

private slots:
    void benchBarFigures()
    {
        // The bench page's bar: 565 x 562, two headers of 21.
        const SwitchAnimation down = plan(true, {565, 562}, 2, 0, 1);
        QCOMPARE(down.extent(), 520);
        QCOMPARE(down.step(), -26);
        QCOMPARE(down.duration(), 173);
        QCOMPARE(down.frameTime(), 9);
        // From below the first header to the bottom of the second one, as it
        // stood at the bottom.
        QCOMPARE(down.region(), ltrb(2, 23, 563, 560));

        const SwitchAnimation up = plan(true, {565, 562}, 2, 1, 0);
        QCOMPARE(up.step(), 26);
        QCOMPARE(up.frameTime(), 9);
        // Between the first header and the second one, now at the bottom.
        QCOMPARE(up.region(), ltrb(2, 23, 563, 539));
    }

    void framesSlideTheOldPicture()
    {
        // Picture moving up: from row |s|k on, drawn at the top; the strip
        // at the bottom grows by one step per frame.
        const SwitchAnimation down = plan(true, {565, 562}, 2, 0, 1);
        SwitchAnimation::Frame f = down.frame(0);
        QCOMPARE(f.source, QRect(0, 0, 561, 537));
        QCOMPARE(f.target, QPoint(2, 23));
        QCOMPARE(f.strip, ltrb(2, 534, 563, 560));
        f = down.frame(20);
        QCOMPARE(f.source, QRect(0, 520, 561, 17));
        QCOMPARE(f.target, QPoint(2, 23));
        QCOMPARE(f.strip, ltrb(2, 14, 563, 560));

        // Picture moving down: its top rows drawn lower by s·k; the strip at
        // the top grows.
        const SwitchAnimation up = plan(true, {565, 562}, 2, 1, 0);
        f = up.frame(3);
        QCOMPARE(f.source, QRect(0, 0, 561, 516 - 78));
        QCOMPARE(f.target, QPoint(2, 23 + 78));
        QCOMPARE(f.strip, ltrb(2, 23, 563, 23 + 104));
        // Far past the picture's length nothing is left of it.
        f = up.frame(20);
        QVERIFY(f.source.isEmpty());
    }

    void horizontalBar()
    {
        // 300 x 200, two groups: E = 258, s = 12, T = 86, D = 4.
        const SwitchAnimation right = plan(false, {300, 200}, 2, 0, 1);
        QCOMPARE(right.extent(), 258);
        QCOMPARE(right.step(), -12);
        QCOMPARE(right.duration(), 86);
        QCOMPARE(right.frameTime(), 4);
        QCOMPARE(right.region(), ltrb(23, 2, 298, 198));
        SwitchAnimation::Frame f = right.frame(1);
        QCOMPARE(f.source, QRect(12, 0, 263, 196));
        QCOMPARE(f.target, QPoint(23, 2));
        QCOMPARE(f.strip, ltrb(274, 2, 298, 198));

        const SwitchAnimation left = plan(false, {300, 200}, 2, 1, 0);
        QCOMPARE(left.step(), 12);
        QCOMPARE(left.region(), ltrb(23, 2, 277, 198));
        f = left.frame(2);
        QCOMPARE(f.source, QRect(0, 0, 254 - 24, 196));
        QCOMPARE(f.target, QPoint(23 + 24, 2));
        QCOMPARE(f.strip, ltrb(23, 2, 23 + 36, 198));
    }

    void tinyBarStepsOnePixelWithoutPause()
    {
        // 100 x 40 with two headers: the extent is negative.
        const SwitchAnimation down = plan(true, {100, 40}, 2, 0, 1);
        QCOMPARE(down.extent(), -2);
        QCOMPARE(down.step(), -1);
        QVERIFY(down.frameTime() <= 0);
        QCOMPARE(down.region(), ltrb(2, 23, 98, 38));

        // The way back: the region would be inverted and collapses to an
        // empty one at the second header's top.
        const SwitchAnimation up = plan(true, {100, 40}, 2, 1, 0);
        QCOMPARE(up.step(), 1);
        QCOMPARE(up.region(), ltrb(2, 17, 98, 17));

        // Exactly no room: E = 0.
        const SwitchAnimation flat = plan(false, {42, 100}, 2, 0, 1);
        QCOMPARE(flat.extent(), 0);
        QCOMPARE(flat.step(), -1);
        QCOMPARE(flat.frameTime(), 0);
    }

    void roundsHalfToEven()
    {
        QCOMPARE(SwitchAnimation::roundHalfEven(0.5), 0);
        QCOMPARE(SwitchAnimation::roundHalfEven(1.5), 2);
        QCOMPARE(SwitchAnimation::roundHalfEven(2.5), 2);
        QCOMPARE(SwitchAnimation::roundHalfEven(173.5), 174);
        QCOMPARE(SwitchAnimation::roundHalfEven(8.65), 9);
        QCOMPARE(SwitchAnimation::roundHalfEven(173.33), 173);
        QCOMPARE(SwitchAnimation::roundHalfEven(-0.5), 0);
        QCOMPARE(SwitchAnimation::roundHalfEven(-1.5), -2);
        QCOMPARE(SwitchAnimation::roundHalfEven(-0.6), -1);
    }
};

QTEST_APPLESS_MAIN(tst_SwitchAnimation)
#include "tst_SwitchAnimation.moc"
