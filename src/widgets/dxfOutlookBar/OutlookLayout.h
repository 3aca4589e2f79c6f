#pragma once

#include <QPoint>
#include <QRect>

// Where the parts of an outlook bar lie, in window coordinates (origin at
// the top-left corner of the bar, border included). The headers of the
// groups up to and including the active one are stacked at the start of the
// bar (top, or left edge), the rest at the end (bottom, or right edge); the
// headers sit inside a border of two pixels, and the active group fills the
// client area between the stacks. With no active group every header stands
// in the start stack.
//
// Rectangles follow the bar's own convention: left and top inside, right
// and bottom outside (QRect's width and height, never its inclusive
// right()/bottom()). They may come out empty or inverted on a bar too small
// for its headers.
class OutlookLayout
{
public:
    static constexpr int Border = 2;

    // vertical: headers are horizontal strips stacked top and bottom;
    // otherwise vertical strips stacked left and right. activePosition is
    // the position of the active group in the header order, -1 for none.
    OutlookLayout(bool vertical, int width, int height, int headerHeight, int count,
                  int activePosition);

    // The header of the group at position 0 .. count - 1.
    QRect headerRect(int position) const;
    // The part of the window left after the header stacks.
    QRect clientBounds() const;
    // The client bounds less the border: the rectangle of the active group.
    QRect clientArea() const;
    // Position of the first header containing the point, -1 for none.
    int headerAt(QPoint point) const;

    bool inStartStack(int position) const;

    // A rectangle from its four edges.
    static QRect ltrb(int left, int top, int right, int bottom);
    // Left and top edges inside, right and bottom outside; false for an
    // empty or inverted rectangle.
    static bool contains(const QRect& rect, QPoint point);

private:
    bool FVertical;
    int FWidth;
    int FHeight;
    int FHeaderHeight;
    int FCount;
    int FActivePosition;
};
