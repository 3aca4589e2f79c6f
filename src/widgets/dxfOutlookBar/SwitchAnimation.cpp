#include "widgets/dxfOutlookBar/SwitchAnimation.h"

#include "widgets/dxfOutlookBar/OutlookLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

int rightOf(const QRect& r) { return r.left() + r.width(); }
int bottomOf(const QRect& r) { return r.top() + r.height(); }

} // namespace

int SwitchAnimation::roundHalfEven(double value)
{
    const double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5)
        return int(whole) + 1;
    if (fraction < 0.5)
        return int(whole);
    return std::fmod(whole, 2.0) == 0.0 ? int(whole) : int(whole) + 1;
}

SwitchAnimation::SwitchAnimation(bool vertical, QSize barSize, int groupCount, int headerHeight,
                                 const QRect& oldHeader, const QRect& newHeader,
                                 const QRect& targetRect)
    : FVertical(vertical)
{
    const int border = OutlookLayout::Border;
    const int width = barSize.width();
    const int height = barSize.height();

    // The old header lies before the new one: the picture moves up (left).
    const bool backwards = vertical ? oldHeader.top() < newHeader.top()
                                    : oldHeader.left() < newHeader.left();
    int l, t, r, b;
    if (vertical) {
        l = border;
        r = width - border;
        t = backwards ? bottomOf(oldHeader) : bottomOf(newHeader);
        b = backwards ? bottomOf(targetRect) : oldHeader.top();
    } else {
        t = border;
        b = height - border;
        l = backwards ? rightOf(oldHeader) : rightOf(newHeader);
        r = backwards ? rightOf(targetRect) : oldHeader.left();
    }
    if (l > r)
        r = l;
    if (b < t)
        t = b;
    FRegion = OutlookLayout::ltrb(l, t, r, b);

    FExtent = (vertical ? height : width) - groupCount * headerHeight;
    const int step = std::max(FExtent / Steps, 1);
    FStep = backwards ? -step : step;
    FDuration = roundHalfEven(FExtent / 3.0);
    FFrameTime = roundHalfEven(FDuration / 20.0);
}

SwitchAnimation::Frame SwitchAnimation::frame(int k) const
{
    const QRect& R = FRegion;
    const int shift = std::abs(FStep) * k;
    const int next = std::abs(FStep) * (k + 1);
    const int w = R.width();
    const int h = R.height();
    Frame f;
    if (FVertical) {
        const int rows = std::max(h - shift, 0);
        if (FStep > 0) {
            f.source = QRect(0, 0, w, rows);
            f.target = QPoint(R.left(), R.top() + shift);
            f.strip = OutlookLayout::ltrb(R.left(), R.top(), rightOf(R), R.top() + next);
        } else {
            f.source = QRect(0, shift, w, rows);
            f.target = R.topLeft();
            f.strip = OutlookLayout::ltrb(R.left(), bottomOf(R) - next, rightOf(R), bottomOf(R));
        }
    } else {
        const int columns = std::max(w - shift, 0);
        if (FStep > 0) {
            f.source = QRect(0, 0, columns, h);
            f.target = QPoint(R.left() + shift, R.top());
            f.strip = OutlookLayout::ltrb(R.left(), R.top(), R.left() + next, bottomOf(R));
        } else {
            f.source = QRect(shift, 0, columns, h);
            f.target = R.topLeft();
            f.strip = OutlookLayout::ltrb(rightOf(R) - next, R.top(), rightOf(R), bottomOf(R));
        }
    }
    return f;
}
