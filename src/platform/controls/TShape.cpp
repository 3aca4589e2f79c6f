#include "platform/controls/TShape.h"

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
    painter.fillRect(rect(), FBrushColor.toQColor());
    painter.setPen(FPenColor.toQColor());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
