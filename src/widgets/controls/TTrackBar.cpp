#include "widgets/controls/TTrackBar.h"

#include "widgets/common/ControlZoom.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>

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

void TTrackBar::initStyleOption(QStyleOptionSlider* option) const
{
    QSlider::initStyleOption(option);
    // The groove and the thumb are laid out at the stored size: the
    // slider's drawing and its hit tests share the stored form's pixels.
    option->rect = ControlZoom::designRect(this);
}

void TTrackBar::paintEvent(QPaintEvent* event)
{
    if (!ControlZoom::isZoomed(this)) {
        QSlider::paintEvent(event);
        return;
    }
    QPainter painter(this);
    ControlZoom::paintThroughBitmap(painter, this, [this](QPainter& canvas) {
        // The parts and state the slider itself paints.
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        if (tickPosition() != NoTicks)
            option.subControls |= QStyle::SC_SliderTickmarks;
        if (isSliderDown()) {
            option.activeSubControls = QStyle::SC_SliderHandle;
            option.state |= QStyle::State_Sunken;
        }
        style()->drawComplexControl(QStyle::CC_Slider, &option, &canvas, this);
    });
}

void TTrackBar::zoomedMouse(QMouseEvent* event, const std::function<void(QMouseEvent*)>& handler)
{
    if (!ControlZoom::isZoomed(this)) {
        handler(event);
        return;
    }
    // The pointer in the stored form's pixels, where the thumb is laid out.
    QMouseEvent design(event->type(), QPointF(ControlZoom::toDesign(this, event->position())),
                       event->scenePosition(), event->globalPosition(), event->button(), event->buttons(),
                       event->modifiers(), event->pointingDevice());
    handler(&design);
    event->setAccepted(design.isAccepted());
}

void TTrackBar::mousePressEvent(QMouseEvent* event)
{
    zoomedMouse(event, [this](QMouseEvent* e) { QSlider::mousePressEvent(e); });
}

void TTrackBar::mouseMoveEvent(QMouseEvent* event)
{
    zoomedMouse(event, [this](QMouseEvent* e) { QSlider::mouseMoveEvent(e); });
}

void TTrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    zoomedMouse(event, [this](QMouseEvent* e) { QSlider::mouseReleaseEvent(e); });
}
