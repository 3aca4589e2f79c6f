#include "widgets/controls/FontColor.h"

#include <QPalette>
#include <QWidget>

TColor FontColor::of(const QWidget* control)
{
    return TColor::fromQColor(control->palette().color(QPalette::WindowText));
}

void FontColor::set(QWidget* control, TColor colour)
{
    if (colour == of(control))
        return;
    QPalette changed = control->palette();
    changed.setColor(QPalette::WindowText, colour.toQColor());
    control->setPalette(changed);
    control->update();
}
