#include "widgets/glLabel/TglStaticText.h"

#include "widgets/glLabel/BroadwiseLayout.h"
#include "widgets/common/ControlZoom.h"

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
    // At once, over the background beneath repainted first: anti-aliased
    // letters drawn over themselves in another colour would leave a fringe
    // of the old colour round every letter.
    repaint();
}

void TglStaticText::paintEvent(QPaintEvent*)
{
    if (Caption().isEmpty())
        return;
    QPainter canvas(this);
    // Laid out in the stored form's pixels, drawn at the zoomed size on a
    // zoomed page.
    ControlZoom::scalePainter(canvas, this);
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
    canvas.drawText(ControlZoom::designRect(this), flags, Caption());
}

void TglStaticText::PaintBroadwise(QPainter& canvas)
{
    const QFontMetrics metrics(canvas.font());
    const QSize size = ControlZoom::designSize(this);
    const BroadwiseLayout layout(Caption(), size.width(), FOptions.testFlag(ftoBroadwiseLastLine),
                                 [&](const QString& text) {
                                     return QSize(metrics.horizontalAdvance(text), metrics.height());
                                 });
    // Words that stand at their natural distance (a line that is not
    // spread, or the words of a spread line between which nothing was
    // added) are drawn as one run, with the spacing and kerning the font
    // gives them.
    QString run;
    QPoint at;
    int end = 0;
    const auto flush = [&] {
        if (!run.isEmpty())
            canvas.drawText(at.x(), at.y() + metrics.ascent(), run);
    };
    for (const BroadwiseLayout::Word& word : layout.Words()) {
        if (!run.isEmpty() && word.Y == at.y() && word.X == end) {
            run += word.Text;
        } else {
            flush();
            run = word.Text;
            at = QPoint(word.X, word.Y);
            end = word.X;
        }
        end += metrics.horizontalAdvance(word.Text);
    }
    flush();
    if (AutoSize() && size.height() != layout.FittedHeight())
        ControlZoom::resize(this, QSize(size.width(), layout.FittedHeight()));
}
