#include "widgets/glLabel/TglStaticText.h"

#include "widgets/glLabel/BroadwiseLayout.h"

#include <QPainter>

TglStaticText::TglStaticText(QWidget* parent)
    : TglCustomLabel(parent)
{
    resize(100, 16);
}

void TglStaticText::setActiveColor(TColor colour)
{
    if (colour == FActiveColor)
        return;
    FActiveColor = colour;
    if (FActive)
        update();
}

void TglStaticText::setAlignment(TglAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    update();
}

void TglStaticText::setOptions(TglStTextOptions options)
{
    FWatchEnabled = options.testFlag(ftoActiveWhileControlFocused);
    if (options == FOptions)
        return;
    FOptions = options;
    update();
}

void TglStaticText::setWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    update();
}

void TglStaticText::ActivateLook()
{
    if (FOptions.testFlag(ftoIgnoreMouse) || FControlFocused)
        return;
    FActive = true;
    paintOver();
    MouseEnterHandling();
}

void TglStaticText::DeactivateLook()
{
    if (FOptions.testFlag(ftoIgnoreMouse) || FControlFocused)
        return;
    FActive = false;
    if (FOptions.testFlag(ftoUnderlinedActive))
        update();
    else
        paintOver();
    MouseLeaveHandling();
}

void TglStaticText::paintOver()
{
    if (!isVisible())
        return;
    // Marked opaque for this one paint, the control is drawn over the
    // picture the window holds now instead of over a fresh background.
    const bool opaque = testAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    repaint();
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

QFont TglStaticText::paintFont() const
{
    QFont plain = font();
    plain.setStyleStrategy(QFont::NoAntialias);
    return plain;
}

void TglStaticText::paintEvent(QPaintEvent*)
{
    if (Caption().isEmpty())
        return;
    QPainter canvas(this);
    canvas.setFont(paintFont());
    if (!Transparent()) {
        // Opaque text cells, in the canvas's untouched white.
        canvas.setBackgroundMode(Qt::OpaqueMode);
        canvas.setBackground(Qt::white);
    }
    canvas.setPen((FActive ? FActiveColor : FontColor()).toQColor());

    if (FAlignment == ftaBroadwise && FWordWrap) {
        PaintBroadwise(canvas);
        return;
    }
    int flags = Qt::TextExpandTabs | Qt::AlignTop;
    if (FWordWrap)
        flags |= Qt::TextWordWrap;
    switch (FAlignment) {
    case ftaRightJustify:
        flags |= Qt::AlignRight;
        break;
    case ftaCenter:
        flags |= Qt::AlignHCenter;
        break;
    default:
        flags |= Qt::AlignLeft;
        break;
    }
    canvas.drawText(rect(), flags, Caption());
}

void TglStaticText::PaintBroadwise(QPainter& canvas)
{
    const QFontMetrics metrics(canvas.font());
    const BroadwiseLayout layout(Caption(), width(), FOptions.testFlag(ftoBroadwiseLastLine),
                                 [&](const QString& text) {
                                     return QSize(metrics.horizontalAdvance(text), metrics.height());
                                 });
    for (const BroadwiseLayout::Word& word : layout.Words())
        canvas.drawText(word.X, word.Y + metrics.ascent(), word.Text);
    if (AutoSize() && height() != layout.FittedHeight())
        resize(width(), layout.FittedHeight());
}
