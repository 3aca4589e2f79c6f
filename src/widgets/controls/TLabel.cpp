#include "widgets/controls/TLabel.h"

#include "widgets/common/ControlZoom.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

TLabel::TLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setContentsMargins(0, 0, 0, 0);
    setMargin(0);
}

void TLabel::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    fit();
}

void TLabel::setAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    fit();
}

void TLabel::fit()
{
    if (FAutoSize)
        ControlZoom::resize(this, sizeHint());
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fit();
}

void TLabel::paintEvent(QPaintEvent* event)
{
    if (!ControlZoom::isZoomed(this)) {
        QLabel::paintEvent(event);
        return;
    }
    // On a zoomed page the caption is laid out in the stored form's pixels
    // and drawn at the zoomed size, as the label draws it unzoomed.
    QPainter painter(this);
    ControlZoom::scalePainter(painter, this);
    painter.setFont(font());
    style()->drawItemText(&painter, ControlZoom::designRect(this), QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), text(), foregroundRole());
}
