#include "widgets/controls/TStaticText.h"

#include "widgets/controls/StaticTextAccessible.h"
#include "widgets/common/AccessibleNotice.h"
#include "widgets/common/Bevel.h"
#include "widgets/common/ControlZoom.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>

TStaticText::TStaticText(QWidget* parent)
    : QLabel(parent)
{
    TColor::registerType();
    setTextFormat(Qt::PlainText);
    setMargin(0);
    StaticTextAccessible::install();
}

void TStaticText::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    fit();
    update();
    // A display the window names (a voltmeter) shows its caption as its
    // reading: a screen reader hears the new one.
    if (!accessibleName().isEmpty()) {
        QAccessibleValueChangeEvent reading(this, caption);
        AccessibleNotice::send(reading);
        QAccessibleEvent described(this, QAccessible::DescriptionChanged);
        AccessibleNotice::send(described);
    }
}

void TStaticText::setColor(TColor colour)
{
    if (colour == FColor)
        return;
    FColor = colour;
    update();
}

void TStaticText::setBorderStyle(TBorderStyle style)
{
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    fit();
    update();
}

void TStaticText::setAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    update();
}

void TStaticText::setAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    fit();
}

void TStaticText::setTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    update();
}

void TStaticText::fit()
{
    if (!FAutoSize)
        return;
    const int border = FBorderStyle == sbsNone ? 0 : (FBorderStyle == sbsSingle ? 1 : 2);
    const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
    ControlZoom::resize(this, QSize(text.width() + 2 * border, text.height() + 2 * border));
}

void TStaticText::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fit();
}

void TStaticText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ControlZoom::scalePainter(painter, this);
    QRect r = ControlZoom::designRect(this);
    if (!FTransparent)
        painter.fillRect(r, FColor.toQColor());
    if (FBorderStyle == sbsSingle) {
        painter.setPen(clWindowText.toQColor());
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    } else if (FBorderStyle == sbsSunken) {
        // A one-pixel sunken edge: shadow at the top and left, highlight at
        // the bottom and right.
        Bevel::frame(painter, r, clBtnShadow, clBtnHighlight);
        r.adjust(1, 1, -1, -1);
    }
    const Qt::Alignment horizontal = FAlignment == taCenter ? Qt::AlignHCenter
        : FAlignment == taRightJustify                      ? Qt::AlignRight
                                                            : Qt::AlignLeft;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(r, int(horizontal | Qt::AlignTop | Qt::TextSingleLine), text());
}
