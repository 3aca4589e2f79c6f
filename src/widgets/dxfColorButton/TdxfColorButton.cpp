#include "widgets/dxfColorButton/TdxfColorButton.h"

#include "widgets/controls/FontColor.h"

#include "widgets/dxfColorButton/ColorButtonAccessible.h"
#include "widgets/common/ControlZoom.h"
#include "widgets/dxfColorButton/ColorButtonContent.h"
#include "widgets/dxfColorButton/ColorButtonFace.h"
#include "widgets/glEffects/glUTILS.h"
#include "widgets/common/AccessibleNotice.h"
#include "widgets/common/ButtonKeys.h"
#include "widgets/common/FocusMark.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>

static_assert(int(TdxfColorButton::dxfGlyphLeft) == int(ColorButtonContent::GlyphLeft));
static_assert(int(TdxfColorButton::dxfGlyphRight) == int(ColorButtonContent::GlyphRight));
static_assert(int(TdxfColorButton::dxfGlyphTop) == int(ColorButtonContent::GlyphTop));
static_assert(int(TdxfColorButton::dxfGlyphBottom) == int(ColorButtonContent::GlyphBottom));

TdxfColorButton::TdxfColorButton(QWidget* parent)
    : QWidget(parent)
{
    TColor::registerType();
    // The faces cover the whole button: nothing to erase beneath them.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 40);
    // Reached with Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    FocusMark::watch();
    ColorButtonAccessible::install();
}

void TdxfColorButton::setCaption(const QStringList& lines)
{
    if (lines == FCaption)
        return;
    FCaption = lines;
    update();
    QAccessibleEvent named(this, QAccessible::NameChanged);
    AccessibleNotice::send(named);
}

void TdxfColorButton::setCaption(const QString& text)
{
    setCaption(text.isEmpty() ? QStringList() : text.split(QRegularExpression("\r\n|\n|\r")));
}

void TdxfColorButton::setColor(TColor colour)
{
    if (colour == FColor)
        return;
    FColor = colour;
    FFacesStale = true;
    update();
}

void TdxfColorButton::setDown(bool value)
{
    const bool v = FGroupIndex != 0 && value;
    if (v == FPressed)
        return;
    FPressed = v;
    FDown = v;
    update();
    if (v)
        ButtonGroupNotice::broadcast(this, FGroupIndex);
}

void TdxfColorButton::setGlyph(const QImage& glyph)
{
    if (glyph == FGlyph)
        return;
    FGlyph = glyph;
    if (glyph.isNull() || glyph.width() == 0 || glyph.height() == 0) {
        FGlyphShown = QImage();
    } else {
        // A glyph whose bottom-left pixel is itself not opaque carries its
        // own alpha channel.
        const QRgb corner = glyph.pixel(0, glyph.height() - 1);
        FGlyphShown = qAlpha(corner) == 255
            ? TransparentImage(glyph, CornerPixel(glyph, crBottomLeft))
            : glyph.convertToFormat(QImage::Format_ARGB32);
    }
    update();
}

void TdxfColorButton::setGlyph(const QString& path)
{
    QImageReader reader(path);
    setGlyph(reader.read());
}

void TdxfColorButton::setLayout(TdxfButtonLayout layout)
{
    if (layout == FLayout)
        return;
    FLayout = layout;
    update();
}

TColor TdxfColorButton::FontColor() const
{
    return ::FontColor::of(this);
}

void TdxfColorButton::setFontColor(TColor colour)
{
    ::FontColor::set(this, colour);
}

void TdxfColorButton::renderFaces()
{
    // A move to a screen of another pixel ratio, or a zoom of the page,
    // renders the faces anew: at the stored size, at as many pixels as the
    // button shows them.
    const QSize design = ControlZoom::designSize(this);
    const qreal zoom = design.width() > 0 ? qreal(width()) / design.width() : 1.0;
    const qreal ratio = devicePixelRatioF() * (ControlZoom::isZoomed(this) ? zoom : 1.0);
    if (!FFacesStale && ratio == FFacesRatio)
        return;
    FFacesRatio = ratio;
    FFaceUp = ColorButtonFace::render(design, FColor, false, ratio);
    FFaceDown = ColorButtonFace::render(design, FColor, true, ratio);
    FFacesStale = false;
}

const QImage& TdxfColorButton::FaceUp()
{
    renderFaces();
    return FFaceUp;
}

const QImage& TdxfColorButton::FaceDown()
{
    renderFaces();
    return FFaceDown;
}

void TdxfColorButton::Click()
{
    if (isEnabled())
        emit OnClick(this);
}

void TdxfColorButton::buttonPressed(int groupIndex, QWidget* sender)
{
    if (groupIndex != FGroupIndex || sender == this || !FPressed)
        return;
    FDown = false;
    FPressed = false;
    FMouseHeld = false;
    update();
}

// The ellipse with the corners (-1, -1) and (W + 1, H + 1).
static QRegion shape(QSize size)
{
    return QRegion(-1, -1, size.width() + 2, size.height() + 2, QRegion::Ellipse);
}

bool TdxfColorButton::inShape(QPoint at) const
{
    return shape(size()).contains(at);
}

void TdxfColorButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FFacesStale = true;
    setMask(shape(size()));
}

void TdxfColorButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FFacesStale = true;
        update();
    } else if (event->type() == QEvent::EnabledChange) {
        update();
    }
}

void TdxfColorButton::leftDown()
{
    FMouseInside = true;
    if (isEnabled() && !FDown) {
        FPressed = true;
        FMouseHeld = true;
        update();
    }
}

void TdxfColorButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        FClickArmed = true;
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton)
        leftDown();
}

void TdxfColorButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click raises OnDblClick instead of
    // becoming a click.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        FClickArmed = false;
        emit OnDblClick(this);
    }
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton)
        leftDown();
}

void TdxfColorButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(this, event->modifiers(), at.x(), at.y());
    // While the button is held the window system reports no entering or
    // leaving; follow the pointer here.
    if (event->buttons() & Qt::LeftButton) {
        const bool inside = inShape(at);
        if (inside && !FMouseInside)
            pointerEntered();
        else if (!inside && FMouseInside)
            pointerLeft();
    }
}

void TdxfColorButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton) {
        emit OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
        return;
    }
    const bool inside = inShape(at);
    if (inside && !FMouseInside)
        pointerEntered();
    else if (!inside && FMouseInside)
        pointerLeft();

    // The click runs first, while the face still shows pressed; its handler
    // may open a message box that takes the pointer away, turn the page or
    // even delete the button.
    // A click is a release inside the control's rectangle, as the window
    // system decides a click, not only inside the ellipse.
    const QPointer<TdxfColorButton> alive(this);
    const bool click = FClickArmed && rect().contains(at);
    FClickArmed = false;
    if (click) {
        FInClick = true;
        Click();
        if (!alive)
            return;
        FInClick = false;
    }
    emit OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    if (!alive)
        return;
    afterRelease(inside);
}

void TdxfColorButton::afterRelease(bool inside)
{
    const bool was = FPressed;
    if (FGroupIndex == 0) {
        FDown = false;
        FPressed = false;
        FMouseHeld = false;
    } else if (!inside) {
        // Released away from the button: a latched button comes up, an up
        // one stays up.
        FDown = false;
        FPressed = false;
        FMouseHeld = false;
    } else if (isEnabled() && !FDown) {
        FDown = true;
        FPressed = true;
        FMouseHeld = true;
        ButtonGroupNotice::broadcast(this, FGroupIndex);
    } else if (isEnabled() && FDown && FAllowAllUp) {
        FDown = false;
        FPressed = false;
        FMouseHeld = false;
    }
    if (FPressed != was)
        update();
    if (FLeavePending) {
        FLeavePending = false;
        pointerLeft();
    }
}

void TdxfColorButton::keyPressEvent(QKeyEvent* event)
{
    if (keyDown(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TdxfColorButton::keyReleaseEvent(QKeyEvent* event)
{
    if (keyUp(event))
        event->accept();
    else
        QWidget::keyReleaseEvent(event);
}

bool TdxfColorButton::keyDown(QKeyEvent* event)
{
    const ButtonKeys::Press press = ButtonKeys::press(event, isEnabled());
    if (press == ButtonKeys::NotOurs)
        return false;
    if (press == ButtonKeys::Swallowed)
        return true;
    if (!FDown && !FPressed) {
        FPressed = true;
        update();
    }
    if (press == ButtonKeys::SpaceDown) {
        FKeyHeld = true;
        return true;
    }
    // Enter clicks at once, as a press and a release inside.
    const QPointer<TdxfColorButton> alive(this);
    FKeyHeld = false;
    Click();
    if (alive)
        afterRelease(true);
    return true;
}

bool TdxfColorButton::keyUp(QKeyEvent* event)
{
    if (!ButtonKeys::spaceUp(event))
        return false;
    if (!FKeyHeld)
        return true;
    FKeyHeld = false;
    const QPointer<TdxfColorButton> alive(this);
    Click();
    if (alive)
        afterRelease(true);
    return true;
}

void TdxfColorButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TdxfColorButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    // Space let go elsewhere: the press is abandoned, as a release outside.
    if (FKeyHeld) {
        FKeyHeld = false;
        afterRelease(false);
    }
    update();
}

void TdxfColorButton::pointerEntered()
{
    FMouseInside = true;
    const bool pressed = FDown || FMouseHeld;
    if (pressed != FPressed) {
        FPressed = pressed;
        update();
    }
}

void TdxfColorButton::pointerLeft()
{
    FMouseInside = false;
    const bool pressed = FGroupIndex != 0 && FDown;
    if (pressed != FPressed) {
        FPressed = pressed;
        update();
    }
}

void TdxfColorButton::enterEvent(QEnterEvent*)
{
    if (FInClick)
        FLeavePending = false;
    else if (!FMouseInside)
        pointerEntered();
}

void TdxfColorButton::leaveEvent(QEvent*)
{
    // While OnClick runs the face stays pressed; the pointer's leaving
    // counts once the handler has returned.
    if (FInClick)
        FLeavePending = FMouseInside;
    else if (FMouseInside)
        pointerLeft();
}

void TdxfColorButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // In the stored form's pixels, scaled on a zoomed page.
    ControlZoom::scalePainter(p, this);
    p.drawImage(QPoint(0, 0), FPressed ? FaceDown() : FaceUp());

    const QFontMetrics metrics(font());
    QList<int> widths;
    for (const QString& line : FCaption)
        widths << metrics.horizontalAdvance(line);
    const QSize glyph = FGlyphShown.isNull() ? QSize(0, 0) : FGlyphShown.size();
    const auto placed = ColorButtonContent::place(ControlZoom::designSize(this), glyph, widths, metrics.height(),
                                                  ColorButtonContent::GlyphSide(FLayout), FPressed);
    if (!FGlyphShown.isNull())
        p.drawImage(placed.Glyph, FGlyphShown);

    p.setFont(font());
    auto drawLines = [&](TColor colour, int shift) {
        p.setPen(colour.toQColor());
        for (int k = 0; k < FCaption.size(); ++k)
            p.drawText(placed.Lines[k] + QPoint(shift, shift + metrics.ascent()), FCaption[k]);
    };
    if (isEnabled()) {
        drawLines(FontColor(), 0);
    } else {
        drawLines(clBtnHighlight, 1);
        drawLines(clBtnShadow, 0);
    }
    if (FocusMark::shown(this))
        paintFocusMark(p, placed.Lines, widths, metrics.height());
}

void TdxfColorButton::paintFocusMark(QPainter& p, const QList<QPoint>& lines, const QList<int>& widths,
                                     int lineHeight)
{
    // Around the caption, two pixels clear of it; a button without one is
    // framed a fifth of its size inside its edge, within the ellipse.
    QRect around;
    for (int k = 0; k < lines.size(); ++k)
        around |= QRect(lines[k], QSize(widths[k], lineHeight));
    if (around.isEmpty())
        around = rect().adjusted(width() / 5, height() / 5, -width() / 5, -height() / 5);
    else
        around.adjust(-2, -1, 2, 1);
    FocusMark::paint(p, around.intersected(rect().adjusted(1, 1, -1, -1)));
}
