#include "widgets/dxfOutlookBar/OutlookLayout.h"

OutlookLayout::OutlookLayout(bool vertical, int width, int height, int headerHeight, int count,
                             int activePosition)
    : FVertical(vertical)
    , FWidth(width)
    , FHeight(height)
    , FHeaderHeight(headerHeight)
    , FCount(count)
    , FActivePosition(activePosition)
{
}

QRect OutlookLayout::ltrb(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

bool OutlookLayout::contains(const QRect& rect, QPoint point)
{
    return point.x() >= rect.left() && point.x() < rect.left() + rect.width()
        && point.y() >= rect.top() && point.y() < rect.top() + rect.height();
}

bool OutlookLayout::inStartStack(int position) const
{
    return FActivePosition < 0 || position <= FActivePosition;
}

QRect OutlookLayout::headerRect(int i) const
{
    const int h = FHeaderHeight;
    const int n = FCount;
    if (inStartStack(i)) {
        if (FVertical)
            return ltrb(Border, i * h + Border, FWidth - Border, (i + 1) * h + Border);
        return ltrb(i * h + Border, Border, (i + 1) * h + Border, FHeight - Border);
    }
    if (FVertical)
        return ltrb(Border, FHeight - (n - i) * h - Border, FWidth - Border,
                    FHeight - (n - 1 - i) * h - Border);
    return ltrb(FWidth - (n - i) * h - Border, Border, FWidth - (n - 1 - i) * h - Border,
                FHeight - Border);
}

QRect OutlookLayout::clientBounds() const
{
    const int start = FActivePosition < 0 ? FCount : FActivePosition + 1;
    const int end = FCount - start;
    if (FVertical)
        return ltrb(0, start * FHeaderHeight, FWidth, FHeight - end * FHeaderHeight);
    return ltrb(start * FHeaderHeight, 0, FWidth - end * FHeaderHeight, FHeight);
}

QRect OutlookLayout::clientArea() const
{
    const QRect b = clientBounds();
    return ltrb(b.left() + Border, b.top() + Border, b.left() + b.width() - Border,
                b.top() + b.height() - Border);
}

int OutlookLayout::headerAt(QPoint point) const
{
    for (int i = 0; i < FCount; ++i)
        if (contains(headerRect(i), point))
            return i;
    return -1;
}
