#include "widgets/controls/PageZoom.h"

#include "widgets/controls/ControlAlign.h"
#include "widgets/controls/TImage.h"
#include "widgets/common/ControlZoom.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The pixel height of the font of a control that Qt draws alone, at the
// stored size.
const char* const DesignFontKey = "DesignFontHeight";

bool isFormControl(const QWidget* w)
{
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

void collect(const QWidget* parent, QList<QWidget*>& out)
{
    for (QWidget* w : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!isFormControl(w) || w->isWindow())
            continue;
        out << w;
        collect(w, out);
    }
}

// Edit fields and text views are drawn by Qt at their own size: they are
// zoomed by their font.
bool zoomsByFont(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w);
}

// The field of a picture down its left edge: each row's colour, the thin
// lines drawn on the field there (a median over a few rows) left out.
QImage fieldColumn(const QImage& picture)
{
    const int h = picture.height();
    const int reach = std::max(3, int(std::lround(4 * picture.devicePixelRatio())));
    QImage column(1, h, QImage::Format_RGB32);
    QList<QRgb> near;
    for (int y = 0; y < h; ++y) {
        near.clear();
        for (int v = std::max(0, y - reach); v <= std::min(h - 1, y + reach); ++v)
            near << picture.pixel(0, v);
        std::sort(near.begin(), near.end(), [](QRgb a, QRgb b) { return qGray(a) < qGray(b); });
        column.setPixel(0, y, near.at(near.size() / 2));
    }
    return column;
}

// The page's background picture: a picture control aligned to fill it.
TImage* backgroundOf(const QWidget* page)
{
    for (TImage* picture : page->findChildren<TImage*>(QString(), Qt::FindDirectChildrenOnly))
        if (ControlAlign::alignOf(picture) == ControlAlign::alClient)
            return picture;
    return nullptr;
}

// A control drawn by Qt alone: its font at the zoomed size, and an edit
// field's margins round its text (the frame and the field's own margin,
// which the style keeps at their pixels) grown to the zoomed size too.
void zoomFont(QWidget* w, int designHeight, qreal factor)
{
    const int pixels = std::max(1, int(std::lround(designHeight * factor)));
    if (w->font().pixelSize() != pixels) {
        QFont font = w->font();
        font.setPixelSize(pixels);
        w->setFont(font);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
        const int across = int(std::lround((frame + 2) * (factor - 1)));
        const int down = int(std::lround((frame + 1) * (factor - 1)));
        edit->setTextMargins(across, down, across, down);
    }
}

} // namespace

void PageZoom::apply(QWidget* page, QSize designSize)
{
    ControlZoom::setRoot(page, designSize);
    for (QWidget* w : controlsOf(page)) {
        ControlZoom::recordDesign(w);
        if (zoomsByFont(w) && w->font().pixelSize() > 0)
            w->setProperty(DesignFontKey, w->font().pixelSize());
    }
    if (!page->findChild<PageZoom*>(QString(), Qt::FindDirectChildrenOnly))
        page->installEventFilter(new PageZoom(page));
    layout(page);
}

qreal PageZoom::factorFor(QSize page, QSize design)
{
    if (design.isEmpty())
        return 1.0;
    const qreal factor = std::min(qreal(page.width()) / design.width(), qreal(page.height()) / design.height());
    return std::max(factor, qreal(1));
}

QPoint PageZoom::originFor(QSize page, QSize design, qreal factor)
{
    const int width = int(std::lround(design.width() * factor));
    const int height = int(std::lround(design.height() * factor));
    return QPoint(std::max(0, (page.width() - width) / 2), std::max(0, (page.height() - height) / 2));
}

QList<QWidget*> PageZoom::controlsOf(const QWidget* page)
{
    QList<QWidget*> controls;
    collect(page, controls);
    return controls;
}

void PageZoom::layout(QWidget* page)
{
    const QSize design = ControlZoom::designContentsRect(page).size();
    const qreal factor = factorFor(page->size(), design);
    ControlZoom::setRootTransform(page, factor, originFor(page->size(), design, factor));
    for (QWidget* w : controlsOf(page)) {
        if (!ControlZoom::hasDesign(w))
            continue;
        const QRect shown = ControlZoom::shownGeometry(w);
        if (w->geometry() != shown)
            w->setGeometry(shown);
        const QVariant height = w->property(DesignFontKey);
        if (height.isValid())
            zoomFont(w, height.toInt(), factor);
    }
    page->update();
}

void PageZoom::paintMargins(QWidget* page)
{
    TImage* picture = backgroundOf(page);
    if (!picture || !picture->isVisible())
        return;
    const QRect content = picture->geometry();
    if (content.contains(page->rect()))
        return;
    const qreal factor = ControlZoom::factor(page);
    const QImage& image = picture->imageAt(factor * page->devicePixelRatioF());
    if (image.isNull())
        return;
    // The field goes on to the page's edges: each row of the margins in the
    // colour of the field at the picture's left edge at that height (the
    // right edge may hold a drawing, the left one is the field).
    const QImage column = fieldColumn(image);
    const QColor top = column.pixelColor(0, 0);
    const QColor bottom = column.pixelColor(0, column.height() - 1);
    const int drawn = picture->Stretch()
        ? content.height()
        : std::min(content.height(), int(std::lround(image.deviceIndependentSize().height() * factor)));
    QPainter painter(page);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int right = content.left() + content.width();
    for (const QRect side : {QRect(0, content.top(), content.left(), drawn),
                             QRect(right, content.top(), page->width() - right, drawn)}) {
        if (!side.isEmpty())
            painter.drawImage(side, column);
    }
    painter.fillRect(QRect(0, 0, page->width(), content.top()), top);
    painter.fillRect(QRect(0, content.top() + drawn, page->width(), page->height() - content.top() - drawn), bottom);
}

bool PageZoom::eventFilter(QObject* watched, QEvent* event)
{
    auto* page = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Resize)
        layout(page);
    else if (event->type() == QEvent::Paint)
        paintMargins(page);
    return QObject::eventFilter(watched, event);
}
