#include "platform/controls/TTrackBar.h"

#include <QKeyEvent>

TTrackBar::TTrackBar(QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
{
    setRange(0, 10);
    setSingleStep(1);
    setPageStep(2);
    setTickInterval(1);
    setTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TTrackBar::setPosition(int position)
{
    // QSlider clamps and reports the change through sliderChange().
    setValue(position);
}

void TTrackBar::setMin(int value)
{
    setMinimum(value);
}

void TTrackBar::setMax(int value)
{
    setMaximum(value);
}

void TTrackBar::setThumbLength(int value)
{
    if (value == FThumbLength)
        return;
    FThumbLength = value;
    update();
}

void TTrackBar::sliderChange(SliderChange change)
{
    QSlider::sliderChange(change);
    if (change == SliderValueChange)
        emit OnChange(this);
}

void TTrackBar::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        setPosition(Position() + LineSize());
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        setPosition(Position() - LineSize());
        break;
    case Qt::Key_PageDown:
        setPosition(Position() + PageSize());
        break;
    case Qt::Key_PageUp:
        setPosition(Position() - PageSize());
        break;
    case Qt::Key_Home:
        setPosition(Min());
        break;
    case Qt::Key_End:
        setPosition(Max());
        break;
    default:
        QSlider::keyPressEvent(event);
        return;
    }
    event->accept();
}
