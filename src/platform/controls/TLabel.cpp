#include "platform/controls/TLabel.h"

#include <QEvent>

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
        resize(sizeHint());
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fit();
}
