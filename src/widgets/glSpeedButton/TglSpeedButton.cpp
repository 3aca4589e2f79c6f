#include "widgets/glSpeedButton/TglSpeedButton.h"

#include "widgets/common/ControlZoom.h"
#include "widgets/glEffects/glUTILS.h"

#include <QDialog>
#include <QPainter>

TglSpeedButton::TglSpeedButton(QWidget* parent)
    : TSpeedButton(parent)
    , FColor(LightenColor(clBtnFace, 30))
    , FActiveColor(LightenColor(FColor, 10))
{
}

void TglSpeedButton::setColor(TColor colour)
{
    if (colour == FColor)
        return;
    FColor = colour;
    update();
}

void TglSpeedButton::setCaptionLabel(QWidget* label)
{
    if (label == FCaptionLabel)
        return;
    FCaptionLabel = label;
    update();
}

void TglSpeedButton::setFrame(bool value)
{
    if (value == FFrame)
        return;
    FFrame = value;
    update();
}

void TglSpeedButton::setFrameColor(TColor colour)
{
    if (colour == FFrameColor)
        return;
    FFrameColor = colour;
    update();
}

void TglSpeedButton::setDefaultStyle(bool value)
{
    if (value == FDefaultStyle)
        return;
    FDefaultStyle = value;
    update();
}

void TglSpeedButton::setEnabled(bool value)
{
    TSpeedButton::setEnabled(value);
    if (FControl)
        FControl->setEnabled(value);
}

void TglSpeedButton::Click()
{
    // While OnClick runs the button stays drawn pressed, even when the
    // handler opens a message box that takes the pointer away; the leaving
    // counts once the handler has returned.
    const QPointer<TglSpeedButton> alive(this);
    FInClick = true;
    TSpeedButton::Click();
    if (!alive)
        return;
    FInClick = false;
    if (FLeavePending) {
        FLeavePending = false;
        if (isEnabled())
            setHover(false);
    }
    if (!isEnabled() || FModalResult == 0)
        return;
    QWidget* form = window();
    if (form == this)
        return;
    form->setProperty("ModalResult", FModalResult);
    if (auto* dialog = qobject_cast<QDialog*>(form); dialog && dialog->isModal())
        dialog->done(FModalResult);
}

void TglSpeedButton::setHover(bool value)
{
    FHover = value;
    if (FPressed || FColor != FActiveColor)
        update();
}

void TglSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FLeavePending = false;
    if (isEnabled())
        setHover(true);
}

void TglSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    if (FInClick)
        FLeavePending = true;
    else if (isEnabled())
        setHover(false);
}

void TglSpeedButton::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (!isEnabled())
        return;
    FPressed = true;
    update();
}

void TglSpeedButton::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    TSpeedButton::MouseMove(Shift, X, Y);
    // While a button is held the pointer's leaving and coming back show at
    // once, as the look of a pressed button depends on it.
    if (FPressed && isEnabled()) {
        const bool inside = rect().contains(X, Y);
        if (inside != FHover)
            setHover(inside);
    }
}

void TglSpeedButton::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    const QPointer<TglSpeedButton> alive(this);
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (!alive || !isEnabled())
        return;
    FPressed = false;
    update();
}

void TglSpeedButton::Paint(QPainter& canvas)
{
    if (FDefaultStyle) {
        TSpeedButton::Paint(canvas);
        return;
    }
    // A screen of few colours shows the face in the nearest solid colour.
    if (ScreenColorDepth() < 16)
        FColor = NearestSolidColor(FColor);

    const TColor face = FHover ? FActiveColor : FColor;
    // The painter draws in the stored form's pixels (scaled on a zoomed page).
    const QSize size = ControlZoom::designSize(this);
    TglBevelStyle bevel = (FPressed && FHover) ? bvsLowered : bvsRaised;
    if (Flat() && !FPressed)
        bevel = bvsNone;

    // Inside the frame; Right and Bottom name the last column and row.
    TRect r{0, 0, size.width(), size.height()};
    if (FFrame)
        r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    r.Right -= 1;
    r.Bottom -= 1;
    Draw3DBox(canvas, r, sdAll, bvsNone, bevel, false, face, false);

    // The caption, centred on one line in what is right of the glyph.
    const QImage glyph = glyphFrame(0);
    const QSize glyphSize = glyphFrameSize();
    QRect text(r.Left + glyphSize.width(), r.Top, r.Right - r.Left - glyphSize.width(), r.Bottom - r.Top);
    if (FPressed)
        text.translate(1, 1);
    canvas.save();
    canvas.setFont(font());
    canvas.setPen((isEnabled() ? FontColor() : clGrayText).toQColor());
    if (!Transparent()) {
        canvas.setBackgroundMode(Qt::OpaqueMode);
        canvas.setBackground(face.toQColor());
    }
    canvas.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, Caption());
    canvas.restore();

    if (FFrame) {
        canvas.save();
        canvas.setPen(Qt::NoPen);
        const QColor frame = FFrameColor.toQColor();
        canvas.fillRect(0, 0, size.width(), 1, frame);
        canvas.fillRect(0, size.height() - 1, size.width(), 1, frame);
        canvas.fillRect(0, 0, 1, size.height(), frame);
        canvas.fillRect(size.width() - 1, 0, 1, size.height(), frame);
        canvas.restore();
    }

    if (!glyph.isNull()) {
        const int textWidth = QFontMetrics(font()).horizontalAdvance(Caption());
        const int pressed = FPressed ? 1 : 0;
        const int x = (size.width() - glyphSize.width() - textWidth) / 2 + pressed - 1 - Spacing();
        const int y = (size.height() - glyphSize.height()) / 2 + 1 + pressed;
        const QImage strip = Glyph();
        const QImage first = strip.copy(0, 0, glyphSize.width(), glyphSize.height());
        DrawBitmapEx(canvas, first, TRect{0, 0, size.width(), size.height()}, x, y, smNone, bmsPlain, true,
                     CornerPixel(strip, crBottomLeft), TColor(0));
    }
}
