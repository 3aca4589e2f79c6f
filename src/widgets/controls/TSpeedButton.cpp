#include "widgets/controls/TSpeedButton.h"

#include "widgets/controls/FontColor.h"
#include "widgets/controls/SpeedButtonAccessible.h"
#include "platform/ScaledPicture.h"
#include "platform/TransparentKey.h"
#include "widgets/common/Bevel.h"
#include "widgets/common/AccessibleNotice.h"
#include "widgets/common/ButtonKeys.h"
#include "widgets/common/ControlZoom.h"
#include "widgets/common/EngravedGlyph.h"
#include "widgets/common/FocusMark.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TSpeedButton::TSpeedButton(QWidget* parent)
    : QWidget(parent)
{
    TColor::registerType();
    resize(23, 22);
    // Reached with Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    FocusMark::watch();
    SpeedButtonAccessible::install();
}

void TSpeedButton::setCaption(const QString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    update();
}

void TSpeedButton::setGlyph(const QImage& glyph)
{
    if (glyph == FGlyph)
        return;
    FGlyph = glyph;
    FTwiceGlyph = QImage();
    prepareFrames();
    update();
}

void TSpeedButton::setGlyph(const QString& path)
{
    QImageReader reader(path);
    setGlyph(reader.read());
    // The strip's twin at twice the pixels, for fine screens.
    if (ScaledPicture::pathFor(path, 2) != path) {
        FTwiceGlyph = ScaledPicture::read(path, 2);
        prepareFrames();
        update();
    }
}

void TSpeedButton::setNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (count == FNumGlyphs)
        return;
    FNumGlyphs = count;
    prepareFrames();
    update();
}

void TSpeedButton::setMargin(int margin)
{
    margin = std::max(-1, margin);
    if (margin == FMargin)
        return;
    FMargin = margin;
    update();
}

void TSpeedButton::setSpacing(int spacing)
{
    spacing = std::max(-1, spacing);
    if (spacing == FSpacing)
        return;
    FSpacing = spacing;
    update();
}

void TSpeedButton::setLayout(TButtonLayout layout)
{
    if (layout == FLayout)
        return;
    FLayout = layout;
    update();
}

void TSpeedButton::setFlat(bool value)
{
    if (value == FFlat)
        return;
    FFlat = value;
    update();
}

void TSpeedButton::setTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    update();
}

void TSpeedButton::setGroupIndex(int index)
{
    if (index == FGroupIndex)
        return;
    FGroupIndex = index;
    if (FGroupIndex == 0 && FDown) {
        FDown = false;
        FState = bsUp;
        update();
        noticeDown();
    }
}

void TSpeedButton::setAllowAllUp(bool value)
{
    FAllowAllUp = value;
}

void TSpeedButton::setDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown)
        return;
    // A group without AllowAllUp always keeps its down button down.
    if (FDown && !FAllowAllUp)
        return;
    FDown = value;
    FState = value ? bsExclusive : bsUp;
    update();
    noticeDown();
    if (value)
        releaseGroup();
}

void TSpeedButton::noticeDown()
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    AccessibleNotice::send(event);
}

TColor TSpeedButton::FontColor() const
{
    return ::FontColor::of(this);
}

void TSpeedButton::setFontColor(TColor colour)
{
    ::FontColor::set(this, colour);
}

TSpeedButton::TButtonState TSpeedButton::State() const
{
    return isEnabled() ? FState : bsDisabled;
}

void TSpeedButton::Click()
{
    emit OnClick(this);
}

void TSpeedButton::releaseGroup()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    for (QObject* child : parentWidget()->children()) {
        auto* other = qobject_cast<TSpeedButton*>(child);
        if (!other || other == this || other->FGroupIndex != FGroupIndex || !other->FDown)
            continue;
        other->FDown = false;
        other->FState = bsUp;
        other->update();
        other->noticeDown();
    }
}

void TSpeedButton::prepareFrames()
{
    cutFrames(FGlyph, FFrames);
    cutFrames(FTwiceGlyph, FTwiceFrames);
    // The twin serves only when it is the strip at twice the pixels.
    if (FTwiceGlyph.size() != FGlyph.size() * 2) {
        for (QImage& frame : FTwiceFrames)
            frame = QImage();
    }
    for (QImage& frame : FTwiceFrames)
        if (!frame.isNull())
            frame.setDevicePixelRatio(2);
}

void TSpeedButton::cutFrames(const QImage& strip, QImage (&frames)[4]) const
{
    for (QImage& frame : frames)
        frame = QImage();
    if (strip.isNull() || strip.width() < FNumGlyphs)
        return;
    const int w = strip.width() / FNumGlyphs;
    const QRgb transparent = TransparentKey::cornerOf(strip);
    for (int i = 0; i < FNumGlyphs; ++i)
        frames[i] = TransparentKey::keyOut(strip.copy(i * w, 0, w, strip.height()), transparent);
    // Without a frame of its own the disabled glyph is the up frame
    // engraved: its shape is every visible pixel that is not white.
    if (FNumGlyphs < 2)
        frames[bsDisabled] = EngravedGlyph::render(frames[bsUp], [](QRgb c) {
            return qAlpha(c) != 0 && (c & 0x00FFFFFFu) != 0x00FFFFFFu;
        });
    if (FNumGlyphs < 3)
        frames[bsDown] = frames[bsUp];
    if (FNumGlyphs < 4)
        frames[bsExclusive] = frames[bsDown];
}

QImage TSpeedButton::glyphFrame(int index) const
{
    return index >= 0 && index < 4 ? FFrames[index] : QImage();
}

QSize TSpeedButton::glyphFrameSize() const
{
    if (FFrames[bsUp].isNull())
        return QSize(0, 0);
    return FFrames[bsUp].size();
}

void TSpeedButton::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    emit OnMouseDown(this, Button, Shift, X, Y);
    if (Button != Qt::LeftButton || !isEnabled())
        return;
    if (!FDown) {
        FState = bsDown;
        update();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    emit OnMouseMove(this, Shift, X, Y);
    if (!FDragging)
        return;
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (rect().contains(X, Y) && !FDown)
        state = bsDown;
    if (state != FState) {
        FState = state;
        update();
    }
}

void TSpeedButton::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    emit OnMouseUp(this, Button, Shift, X, Y);
    if (!FDragging || Button != Qt::LeftButton)
        return;
    FDragging = false;
    const bool doClick = rect().contains(X, Y);
    if (FGroupIndex != 0 && doClick)
        setDown(!FDown);
    FState = FDown ? bsExclusive : bsUp;
    update();
    if (doClick)
        Click();
}

void TSpeedButton::MouseEnter()
{
    if (FMouseInControl || !isEnabled())
        return;
    FMouseInControl = true;
    if (FFlat)
        update();
}

void TSpeedButton::MouseLeave()
{
    if (!FMouseInControl || FDragging)
        return;
    FMouseInControl = false;
    if (FFlat)
        update();
}

void TSpeedButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TSpeedButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click: the double-click event, then a
    // press like any other, so each click of the pair toggles the button.
    if (event->button() == Qt::LeftButton)
        emit OnDblClick(this);
    mousePressEvent(event);
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseMove(event->modifiers(), at.x(), at.y());
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void TSpeedButton::enterEvent(QEnterEvent*)
{
    MouseEnter();
}

void TSpeedButton::leaveEvent(QEvent*)
{
    MouseLeave();
}

void TSpeedButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        FDragging = false;
        FMouseInControl = false;
        FState = FDown ? bsExclusive : bsUp;
        update();
    } else if (event->type() == QEvent::FontChange) {
        update();
    }
}

void TSpeedButton::keyPressEvent(QKeyEvent* event)
{
    if (keyDown(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TSpeedButton::keyReleaseEvent(QKeyEvent* event)
{
    if (keyUp(event))
        event->accept();
    else
        QWidget::keyReleaseEvent(event);
}

bool TSpeedButton::keyDown(QKeyEvent* event)
{
    switch (ButtonKeys::press(event, isEnabled())) {
    case ButtonKeys::NotOurs:
        return false;
    case ButtonKeys::Swallowed:
        return true;
    case ButtonKeys::EnterClick:
        Press();
        return true;
    case ButtonKeys::SpaceDown:
        break;
    }
    const QPoint middle = rect().center();
    MouseDown(Qt::LeftButton, Qt::NoModifier, middle.x(), middle.y());
    FKeyHeld = true;
    return true;
}

void TSpeedButton::Press()
{
    if (!isEnabled())
        return;
    const QPoint middle = rect().center();
    MouseDown(Qt::LeftButton, Qt::NoModifier, middle.x(), middle.y());
    MouseUp(Qt::LeftButton, Qt::NoModifier, middle.x(), middle.y());
}

bool TSpeedButton::keyUp(QKeyEvent* event)
{
    if (!ButtonKeys::spaceUp(event))
        return false;
    if (FKeyHeld) {
        FKeyHeld = false;
        const QPoint middle = rect().center();
        MouseUp(Qt::LeftButton, Qt::NoModifier, middle.x(), middle.y());
    }
    return true;
}

void TSpeedButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TSpeedButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    // Space let go elsewhere: the press ends as a release outside.
    if (FKeyHeld) {
        FKeyHeld = false;
        MouseUp(Qt::LeftButton, Qt::NoModifier, -1, -1);
    }
    update();
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    // Drawn in the stored form's pixels, scaled on a zoomed page.
    ControlZoom::scalePainter(canvas, this);
    Paint(canvas);
    if (FocusMark::shown(this))
        FocusMark::paint(canvas, rect().adjusted(3, 3, -4, -4));
}

void TSpeedButton::Paint(QPainter& canvas)
{
    const TButtonState state = State();
    const bool down = state == bsDown || state == bsExclusive;
    const QRect r = ControlZoom::designRect(this);

    // Face and frame.
    const bool dithered = state == bsExclusive && (!FFlat || !FMouseInControl);
    if (!FFlat || !FTransparent) {
        canvas.fillRect(r, clBtnFace.toQColor());
        if (dithered)
            canvas.fillRect(r, QBrush(clBtnHighlight.toQColor(), Qt::Dense4Pattern));
    }
    if (!FFlat) {
        if (down) {
            Bevel::frame(canvas, r, cl3DDkShadow, clBtnHighlight);
            Bevel::frame(canvas, r.adjusted(1, 1, -1, -1), clBtnShadow, cl3DLight);
        } else {
            Bevel::frame(canvas, r, clBtnHighlight, cl3DDkShadow);
            Bevel::frame(canvas, r.adjusted(1, 1, -1, -1), cl3DLight, clBtnShadow);
        }
    } else if (down) {
        Bevel::frame(canvas, r, clBtnShadow, clBtnHighlight);
    } else if (FMouseInControl && state != bsDisabled) {
        Bevel::frame(canvas, r, clBtnHighlight, clBtnShadow);
    }

    // Glyph and caption: margin from the edge to the glyph, spacing between
    // glyph and caption, both placed along the layout's direction.
    const QFontMetrics metrics(font());
    const QSize glyph = glyphFrameSize();
    const QSize text = FCaption.isEmpty() ? QSize(0, 0)
                                          : QSize(metrics.horizontalAdvance(FCaption), metrics.height());
    const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    const int client = horizontal ? r.width() : r.height();
    const int glyphLength = horizontal ? glyph.width() : glyph.height();
    const int textLength = horizontal ? text.width() : text.height();
    int margin = FMargin;
    int spacing = (glyph.isEmpty() || text.isEmpty()) ? 0 : FSpacing;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (client - glyphLength - textLength) / 3;
            spacing = margin;
        } else {
            margin = (client - glyphLength - spacing - textLength + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (client - margin - glyphLength - textLength) / 2;
    }
    QPoint glyphAt;
    QPoint textAt;
    switch (FLayout) {
    case blGlyphLeft:
        glyphAt.setX(margin);
        textAt.setX(margin + glyph.width() + spacing);
        break;
    case blGlyphRight:
        glyphAt.setX(r.width() - margin - glyph.width());
        textAt.setX(glyphAt.x() - spacing - text.width());
        break;
    case blGlyphTop:
        glyphAt.setY(margin);
        textAt.setY(margin + glyph.height() + spacing);
        break;
    case blGlyphBottom:
        glyphAt.setY(r.height() - margin - glyph.height());
        textAt.setY(glyphAt.y() - spacing - text.height());
        break;
    }
    if (horizontal) {
        glyphAt.setY((r.height() - glyph.height() + 1) / 2);
        textAt.setY((r.height() - text.height() + 1) / 2);
    } else {
        glyphAt.setX((r.width() - glyph.width() + 1) / 2);
        textAt.setX((r.width() - text.width() + 1) / 2);
    }
    if (down) {
        glyphAt += QPoint(1, 1);
        textAt += QPoint(1, 1);
    }

    if (!glyph.isEmpty()) {
        // On a fine screen the frame of the strip's twin, at its pixels.
        const qreal ratio = std::max(devicePixelRatioF(), canvas.deviceTransform().m11());
        const QImage& twice = FTwiceFrames[state];
        canvas.drawImage(glyphAt, ratio > 1.0 && !twice.isNull() ? twice : FFrames[state]);
    }
    if (!FCaption.isEmpty()) {
        canvas.setFont(font());
        const int baseline = textAt.y() + metrics.ascent();
        if (state == bsDisabled) {
            canvas.setPen(clBtnHighlight.toQColor());
            canvas.drawText(textAt.x() + 1, baseline + 1, FCaption);
            canvas.setPen(clBtnShadow.toQColor());
        } else {
            canvas.setPen(FontColor().toQColor());
        }
        canvas.drawText(textAt.x(), baseline, FCaption);
    }
}
