#include "widgets/controls/TShape.h"

#include "widgets/common/ControlZoom.h"

#include <QPainter>

TShape::TShape(QWidget* parent)
    : QWidget(parent)
{
    TColor::registerType();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TShape::setBrushColor(TColor colour)
{
    if (colour == FBrushColor)
        return;
    FBrushColor = colour;
    update();
}

void TShape::setPenColor(TColor colour)
{
    if (colour == FPenColor)
        return;
    FPenColor = colour;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ControlZoom::scalePainter(painter, this);
    // The one-pixel edge in the pen's colour, the inside in the brush's:
    // filled, so that on a zoomed page the edge is as wide as it is zoomed.
    const QRect r = ControlZoom::designRect(this);
    painter.fillRect(r, FPenColor.toQColor());
    painter.fillRect(r.adjusted(1, 1, -1, -1), FBrushColor.toQColor());
}
