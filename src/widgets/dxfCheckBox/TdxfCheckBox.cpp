#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include "widgets/dxfCheckBox/CheckBoxAccessible.h"
#include "widgets/dxfCheckBox/GlyphStrip.h"
#include "widgets/common/AccessibleNotice.h"
#include "widgets/common/FocusMark.h"
#include "widgets/common/ControlZoom.h"
#include "widgets/common/ScratchBitmap.h"
#include "platform/ScaledPicture.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The cells of a look in the glyph strip.
enum Cell { UncheckedCell = 0, CheckedCell = 1, UncheckedDisabledCell = 2, CheckedDisabledCell = 3 };

QImage readPicture(const QString& path)
{
    if (path.isEmpty())
        return QImage();
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull())
        qWarning("TdxfCheckBox: cannot read the picture %s: %s", qPrintable(path),
                 qPrintable(reader.errorString()));
    return picture;
}

// The picture's twin at twice the pixels ("switch-on@2x.png" beside
// "switch-on.png"), masked like the picture; null when there is none.
QImage readTwin(const QString& path)
{
    if (ScaledPicture::pathFor(path, 2) == path)
        return QImage();
    QImage twin = GlyphStrip::masked(ScaledPicture::read(path, 2));
    if (!twin.isNull())
        twin.setDevicePixelRatio(2);
    return twin;
}

// A dotted rectangle drawn by inverting every other window pixel of its
// outline; each window pixel is the block of screen pixels it covers.
void invertDottedFrame(QImage& image, const QRect& rect)
{
    const qreal ratio = image.devicePixelRatio();
    const QRect r = rect.intersected(QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()));
    if (r.isEmpty())
        return;
    auto invert = [&](int x, int y) {
        if ((x - rect.left() + y - rect.top()) % 2 != 0)
            return;
        const int x1 = std::min(int(std::lround((x + 1) * ratio)), image.width());
        const int y1 = std::min(int(std::lround((y + 1) * ratio)), image.height());
        for (int v = int(std::lround(y * ratio)); v < y1; ++v) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(v));
            for (int u = int(std::lround(x * ratio)); u < x1; ++u)
                line[u] = (line[u] & 0xFF000000u) | (~line[u] & 0x00FFFFFFu);
        }
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        if (r.top() == rect.top())
            invert(x, r.top());
        if (r.bottom() == rect.bottom() && r.bottom() != r.top())
            invert(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        if (r.left() == rect.left())
            invert(r.left(), y);
        if (r.right() == rect.right() && r.right() != r.left())
            invert(r.right(), y);
    }
}

} // namespace

TdxfCheckBox::TdxfCheckBox(QWidget* parent)
    : QWidget(parent)
{
    TColor::registerType();
    // The paint covers the whole control: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(100, 17);
    FocusMark::watch();
    CheckBoxAccessible::install();
}

TdxfCheckBox::~TdxfCheckBox() = default;

void TdxfCheckBox::setChecked(bool value)
{
    const bool old = FChecked;
    if (value != old) {
        // A checked member of a group stays checked unless the group allows
        // all boxes up; a negative group never does.
        const bool refused = FGroupIndex != 0 && old && !value && !(FGroupIndex > 0 && FAllowAllUp);
        if (!refused) {
            FChecked = value;
            update();
            noticeChecked();
            if (FGroupIndex > 0 && FChecked)
                ButtonGroupNotice::broadcast(this, FGroupIndex);
        }
    }
    // Raised for every change asked for, even a refused one: handlers that
    // set another box run that box's handler too.
    if (NotifyOnChange && value != old)
        emit OnClick(this);
}

void TdxfCheckBox::buttonPressed(int groupIndex, QWidget* sender)
{
    if (groupIndex == FGroupIndex && sender != this && FChecked) {
        FChecked = false;
        update();
        noticeChecked();
    }
}

void TdxfCheckBox::Click()
{
    {
        // The click raises OnClick itself, once, whatever the setter did.
        NotifyOnChange = false;
        struct Restore
        {
            bool& Flag;
            ~Restore() { Flag = true; }
        } restore{NotifyOnChange};
        setChecked(!FChecked);
    }
    emit OnClick(this);
    setFocus(Qt::MouseFocusReason);
}

void TdxfCheckBox::setAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    if (FAutoSize)
        adjustBounds();
}

void TdxfCheckBox::setAlignment(TdxfCBAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    update();
}

void TdxfCheckBox::setGroupIndex(int value)
{
    FGroupIndex = value;
}

void TdxfCheckBox::setAllowAllUp(bool value)
{
    FAllowAllUp = value;
}

void TdxfCheckBox::setGlyphChecked(const QImage& value)
{
    if (value == FGlyphChecked)
        return;
    FGlyphChecked = value;
    MaskedChecked = GlyphStrip::masked(value);
    FGlyphCheckedPicture.clear();
    TwiceChecked = QImage();
    if (FAutoSize)
        adjustBounds();
    update();
}

void TdxfCheckBox::setGlyphUnChecked(const QImage& value)
{
    if (value == FGlyphUnChecked)
        return;
    FGlyphUnChecked = value;
    MaskedUnChecked = GlyphStrip::masked(value);
    FGlyphUnCheckedPicture.clear();
    TwiceUnChecked = QImage();
    if (FAutoSize)
        adjustBounds();
    update();
}

void TdxfCheckBox::setGlyphCheckedPicture(const QString& path)
{
    if (path == FGlyphCheckedPicture)
        return;
    setGlyphChecked(readPicture(path));
    TwiceChecked = readTwin(path);
    FGlyphCheckedPicture = path;
    update();
}

void TdxfCheckBox::setGlyphUnCheckedPicture(const QString& path)
{
    if (path == FGlyphUnCheckedPicture)
        return;
    setGlyphUnChecked(readPicture(path));
    TwiceUnChecked = readTwin(path);
    FGlyphUnCheckedPicture = path;
    update();
}

void TdxfCheckBox::setStyle(int value)
{
    // Within the looks of the strip; without a strip any look from 1 up is
    // kept, as nothing is drawn from it.
    const int groups = GlyphStrip::groupCount();
    if (groups > 0 && value > groups)
        value = groups;
    if (value < 1)
        value = 1;
    if (value == FStyle)
        return;
    FStyle = value;
    update();
}

void TdxfCheckBox::setCaption(const QString& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    // While the stored form is being applied the control has no window yet
    // and keeps the size stored with it.
    if (FAutoSize && testAttribute(Qt::WA_WState_Created))
        adjustBounds();
    update();
    QAccessibleEvent named(this, QAccessible::NameChanged);
    AccessibleNotice::send(named);
}

TColor TdxfCheckBox::Color() const
{
    if (!FParentColor)
        return FColor;
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        const QVariant colour = w->property("Color");
        if (colour.metaType() == QMetaType::fromType<TColor>())
            return colour.value<TColor>();
    }
    return clBtnFace;
}

void TdxfCheckBox::setColor(TColor value)
{
    if (value == FColor && !FParentColor)
        return;
    FColor = value;
    FParentColor = false;
    update();
}

void TdxfCheckBox::setParentColor(bool value)
{
    if (value == FParentColor)
        return;
    FParentColor = value;
    update();
}

void TdxfCheckBox::setTabStop(bool value)
{
    if (value == FTabStop)
        return;
    FTabStop = value;
    // Without a tab stop the box still takes the focus when clicked.
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

QSize TdxfCheckBox::glyphSize() const
{
    const int cell = GlyphStrip::cellSize();
    const QSize checked = FGlyphChecked.isNull() ? QSize(cell, cell) : FGlyphChecked.size();
    const QSize unchecked = FGlyphUnChecked.isNull() ? QSize(cell, cell) : FGlyphUnChecked.size();
    return checked.expandedTo(unchecked);
}

void TdxfCheckBox::adjustBounds()
{
    const QFontMetrics metrics(font());
    const QSize glyph = glyphSize();
    const int height = std::max(glyph.height(), metrics.height() + 2);
    const int width = metrics.horizontalAdvance(FCaption) + glyph.width() + 4;
    ControlZoom::resize(this, QSize(width, height));
}

void TdxfCheckBox::paintEvent(QPaintEvent*)
{
    // Drawn at the screen's pixels: on a fine screen the pictures come from
    // their twins at twice the pixels and the caption is as sharp as the
    // screen, not the small bitmap scaled up.
    // On a zoomed page the box is laid out in the stored form's pixels and
    // drawn at the zoomed size the same way.
    QPainter painter(this);
    ControlZoom::scalePainter(painter, this);
    const qreal ratio = std::max(devicePixelRatioF(), painter.deviceTransform().m11());
    const QSize size = ControlZoom::designSize(this);
    QImage& scratch = ScratchBitmap::acquire(size.width(), size.height(), ratio);
    paintBox(scratch);
    painter.drawImage(QRectF(QPointF(0, 0), size), scratch, QRectF(0, 0, size.width() * ratio, size.height() * ratio));
}

void TdxfCheckBox::paintBox(QImage& canvas) const
{
    const QSize size = ControlZoom::designSize(this);
    const int w = size.width();
    const int h = size.height();
    const QSize glyph = glyphSize();
    const int gw = glyph.width();
    const int gh = glyph.height();

    QPainter painter(&canvas);
    painter.setClipRect(0, 0, w, h);
    painter.fillRect(0, 0, w, h, Color().toQColor());

    QRect pictureRect(0, (h - gh) / 2, gw, gh);
    if (FAlignment == taLeftJustify)
        pictureRect.moveLeft(w - gw);

    const bool fine = canvas.devicePixelRatio() > 1.0;
    const QImage& twin = FChecked ? TwiceChecked : TwiceUnChecked;
    const QImage& own = fine && !twin.isNull() ? twin : FChecked ? MaskedChecked : MaskedUnChecked;
    if (!own.isNull()) {
        drawPicture(painter, pictureRect, own);
    } else {
        int cell = FChecked ? CheckedCell : UncheckedCell;
        if (!isEnabled())
            cell = FChecked ? CheckedDisabledCell : UncheckedDisabledCell;
        const QImage& strip = GlyphStrip::maskedCell(cell + 4 * (FStyle - 1), canvas.devicePixelRatio());
        if (!strip.isNull())
            drawPicture(painter, pictureRect, strip);
    }

    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int th = metrics.height();
    const int tw = metrics.horizontalAdvance(FCaption);
    const int c = (h - th) / 2;
    // Edges: left, top, right and bottom, the last two exclusive.
    int left, top, right, bottom;
    if (FAlignment == taRightJustify) {
        left = gw + 2;
        top = c - 1;
        right = std::min(gw + tw + 6, w);
        bottom = c + th + 1;
    } else {
        left = 0;
        top = c - 2;
        right = std::min(tw + 2, w - gw - 2);
        bottom = c + th + 2;
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, h);

    const QRect textRect(QPoint(left + 1, top + 1), QPoint(right - 2, bottom - 2));
    if (!FCaption.isEmpty() && textRect.isValid()) {
        painter.save();
        painter.setClipRect(textRect, Qt::IntersectClip);
        const QPoint at(textRect.left(), textRect.top() + metrics.ascent());
        if (isEnabled()) {
            painter.setPen(palette().color(QPalette::Active, QPalette::WindowText));
            painter.drawText(at, FCaption);
        } else {
            // Engraved: white one pixel right and down, grey over it.
            painter.setPen(clWhite.toQColor());
            painter.drawText(at + QPoint(1, 1), FCaption);
            painter.setPen(clGray.toQColor());
            painter.drawText(at, FCaption);
        }
        painter.restore();
    }
    painter.end();

    if (hasFocus() && !FCaption.isEmpty() && right > left && bottom > top)
        invertDottedFrame(canvas, QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    // A box without a caption (an answer of the test) has no caption to
    // frame: reached from the keyboard, the whole box is framed instead.
    else if (FCaption.isEmpty() && FocusMark::shown(this))
        invertDottedFrame(canvas, QRect(0, 0, w, h));
}

void TdxfCheckBox::drawPicture(QPainter& painter, const QRect& rect, const QImage& masked) const
{
    // Centred in the rectangle at its own size, clipped by it; the pixels
    // of the transparent colour show the control's colour beneath.
    const QSize size = masked.deviceIndependentSize().toSize();
    const QPoint at(rect.left() + (rect.width() - size.width()) / 2,
                    rect.top() + (rect.height() - size.height()) / 2);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawImage(at, masked);
    painter.restore();
}

void TdxfCheckBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Pressed = true;
    event->accept();
}

void TdxfCheckBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = Pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        Pressed = false;
    event->accept();
    if (click)
        Click();
}

void TdxfCheckBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click toggles here; its release does
    // not click again.
    Pressed = false;
    event->accept();
    if (event->button() == Qt::LeftButton)
        Click();
}

void TdxfCheckBox::keyPressEvent(QKeyEvent* event)
{
    if (keyPressed(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool TdxfCheckBox::keyPressed(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            Click();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right:
        if (FGroupIndex <= 0)
            return false;
        stepInGroup(event->key() == Qt::Key_Up || event->key() == Qt::Key_Left ? -1 : 1);
        return true;
    default:
        return false;
    }
}

void TdxfCheckBox::stepInGroup(int step)
{
    // The members of the group under the same parent, in tab order, the
    // first following the last.
    QList<TdxfCheckBox*> members;
    QWidget* w = this;
    do {
        auto* box = qobject_cast<TdxfCheckBox*>(w);
        if (box && box->parentWidget() == parentWidget() && box->FGroupIndex == FGroupIndex && box->isEnabled()
            && box->isVisibleTo(parentWidget()))
            members.append(box);
        w = w->nextInFocusChain();
    } while (w && w != this);
    if (members.size() < 2)
        return;
    TdxfCheckBox* next = members.at((step + int(members.size())) % int(members.size()));
    next->setFocus(Qt::TabFocusReason);
    next->setChecked(true);
}

void TdxfCheckBox::noticeChecked()
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    AccessibleNotice::send(event);
}

void TdxfCheckBox::keyReleaseEvent(QKeyEvent* event)
{
    QWidget::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        Click();
    }
}

void TdxfCheckBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TdxfCheckBox::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool TdxfCheckBox::event(QEvent* event)
{
    // The control gets its window: with AutoSize it now fits its picture
    // and its caption in the font it is shown with.
    if (event->type() == QEvent::Polish && FAutoSize)
        adjustBounds();
    return QWidget::event(event);
}

void TdxfCheckBox::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        // Fonts reach the controls while the stored form is still being
        // built, before their captions; the form keeps the sizes stored
        // with it until the control has its window.
        if (FAutoSize && testAttribute(Qt::WA_WState_Created))
            adjustBounds();
        update();
        break;
    case QEvent::EnabledChange:
        update();
        break;
    default:
        break;
    }
}

void TdxfCheckBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    update();
}
