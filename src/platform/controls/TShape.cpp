#include "platform/controls/TShape.h"

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
    const QRect r = ControlZoom::designRect(this);
    painter.fillRect(r, FBrushColor.toQColor());
    painter.setPen(FPenColor.toQColor());
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}
