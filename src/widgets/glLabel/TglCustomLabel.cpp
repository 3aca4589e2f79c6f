#include "widgets/glLabel/TglCustomLabel.h"

#include "widgets/controls/FontColor.h"
#include "widgets/glLabel/LabelAccessible.h"
#include "widgets/common/AccessibleNotice.h"
#include "widgets/common/ControlZoom.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QMouseEvent>

TglCustomLabel::TglCustomLabel(QWidget* parent)
    : QWidget(parent)
{
    TColor::registerType();
    LabelAccessible::install();
}

TglCustomLabel::~TglCustomLabel()
{
    if (FWatched)
        FWatched->removeEventFilter(this);
}

void TglCustomLabel::setCaption(const QString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    update();
    QAccessibleEvent named(this, QAccessible::NameChanged);
    AccessibleNotice::send(named);
}

void TglCustomLabel::setAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustBounds();
}

void TglCustomLabel::setFocusControl(QWidget* control)
{
    if (control == FFocusControl)
        return;
    // A watch on the control being left is taken off whether or not new
    // watches are enabled now, so the label never follows a control that
    // is no longer its own.
    if (FWatched)
        UnwatchFocusControl();
    FFocusControl = control;
    if (FWatchEnabled && FFocusControl)
        WatchFocusControl();
}

void TglCustomLabel::setTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    update();
}

TColor TglCustomLabel::FontColor() const
{
    return ::FontColor::of(this);
}

void TglCustomLabel::setFontColor(TColor colour)
{
    ::FontColor::set(this, colour);
}

void TglCustomLabel::WatchFocusControl()
{
    if (!FFocusControl || FWatched == FFocusControl)
        return;
    FWatched = FFocusControl;
    FWatched->installEventFilter(this);
}

void TglCustomLabel::UnwatchFocusControl()
{
    if (FWatched)
        FWatched->removeEventFilter(this);
    FWatched = nullptr;
    // The focus of a control no longer watched no longer holds the look.
    if (FControlFocused) {
        FControlFocused = false;
        DeactivateLook();
    }
}

bool TglCustomLabel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FWatched) {
        if (event->type() == QEvent::FocusIn) {
            ActivateLook();
            FControlFocused = true;
        } else if (event->type() == QEvent::FocusOut) {
            FControlFocused = false;
            DeactivateLook();
        }
    }
    // The control handles every event as it would without the watch.
    return QWidget::eventFilter(watched, event);
}

void TglCustomLabel::ActivateLook()
{
    MouseEnterHandling();
}

void TglCustomLabel::DeactivateLook()
{
    MouseLeaveHandling();
}

void TglCustomLabel::MouseEnterHandling()
{
    emit OnMouseEnter(this);
    if (FFocusControlMethod == fcmOnMouseEnter)
        focusOn(fcmOnMouseEnter);
}

void TglCustomLabel::MouseLeaveHandling()
{
    emit OnMouseLeave(this);
}

void TglCustomLabel::focusOn(TFocusControlMethod method)
{
    // Only an enabled label focuses, and only a control that can take the
    // focus; the entering path makes the same checks as the buttons.
    if (method != FFocusControlMethod || !FFocusControl || !isEnabled())
        return;
    if (FFocusControl->isVisible() && FFocusControl->isEnabled())
        FFocusControl->setFocus(Qt::MouseFocusReason);
}

void TglCustomLabel::enterEvent(QEnterEvent*)
{
    ActivateLook();
}

void TglCustomLabel::leaveEvent(QEvent*)
{
    DeactivateLook();
}

void TglCustomLabel::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        FClickArmed = true;
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton)
        focusOn(fcmOnMouseDown);
}

void TglCustomLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        FClickArmed = false;
        emit OnDblClick(this);
    }
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton)
        focusOn(fcmOnMouseDown);
}

void TglCustomLabel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TglCustomLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    // A handler may delete the label.
    const QPointer<TglCustomLabel> alive(this);
    if (event->button() == Qt::LeftButton) {
        const bool click = FClickArmed && rect().contains(at);
        FClickArmed = false;
        if (click)
            emit OnClick(this);
        if (!alive)
            return;
    }
    emit OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    if (alive && event->button() == Qt::LeftButton)
        focusOn(fcmOnMouseUp);
}

void TglCustomLabel::AdjustBounds()
{
    if (!FAutoSize)
        return;
    int flags = Qt::TextExpandTabs | Qt::AlignLeft | Qt::AlignTop;
    if (wordWrapped())
        flags |= Qt::TextWordWrap;
    // In the stored form's pixels: on a zoomed page the label is shown at
    // the fitted size zoomed.
    const QRect design = ControlZoom::designGeometry(this);
    const QRect measured = QFontMetrics(paintFont()).boundingRect(QRect(QPoint(0, 0), design.size()), flags, FCaption);
    const int newWidth = measured.x() + measured.width();
    const int newHeight = measured.y() + measured.height();
    const int left = keepsRightEdge() ? design.x() + design.width() - newWidth : design.x();
    ControlZoom::setGeometry(this, QRect(left, design.y(), newWidth, newHeight));
}
