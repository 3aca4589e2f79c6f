#include "widgets/common/Bevel.h"

#include <QPainter>

void Bevel::topLeft(QPainter& painter, const QRect& r, TColor colour)
{
    if (r.isEmpty())
        return;
    painter.fillRect(r.left(), r.top(), 1, r.height(), colour.toQColor());
    painter.fillRect(r.left(), r.top(), r.width(), 1, colour.toQColor());
}

void Bevel::bottomRight(QPainter& painter, const QRect& r, TColor colour)
{
    if (r.isEmpty())
        return;
    painter.fillRect(r.right(), r.top(), 1, r.height(), colour.toQColor());
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, colour.toQColor());
}

void Bevel::frame(QPainter& painter, const QRect& r, TColor topLeft, TColor bottomRight)
{
    Bevel::topLeft(painter, r, topLeft);
    Bevel::bottomRight(painter, r, bottomRight);
}

void Bevel::frame(QPainter& painter, QRect& r, TColor topLeft, TColor bottomRight, int width)
{
    for (int i = 0; i < width && !r.isEmpty(); ++i) {
        frame(painter, r, topLeft, bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}
