#include "widgets/common/ControlZoom.h"

#include <QImage>
#include <QPainter>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// Dynamic properties: the design geometry of a control, and a root's stored
// content size, factor and origin.
const char* const DesignKey = "DesignGeometry";
const char* const RootSizeKey = "ZoomDesignSize";
const char* const FactorKey = "ZoomFactor";
const char* const OriginKey = "ZoomOrigin";

int zoomed(int v, qreal factor)
{
    return int(std::lround(v * factor));
}

// A rectangle of the root's content in stored pixels, shown: every edge is
// zoomed on its own, so that controls that touch in the stored form touch
// on screen too.
QRect mapToRoot(const QWidget* root, const QRect& design)
{
    const qreal z = root->property(FactorKey).isValid() ? root->property(FactorKey).toReal() : 1.0;
    const QPoint o = root->property(OriginKey).toPoint();
    const QPoint topLeft(o.x() + zoomed(design.left(), z), o.y() + zoomed(design.top(), z));
    const QPoint end(o.x() + zoomed(design.left() + design.width(), z),
                     o.y() + zoomed(design.top() + design.height(), z));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

// The control's design rectangle relative to the root's content.
QRect designInRoot(const QWidget* control, const QWidget* root)
{
    QRect r = ControlZoom::designGeometry(control);
    for (const QWidget* p = control->parentWidget(); p && p != root; p = p->parentWidget())
        r.translate(ControlZoom::designGeometry(p).topLeft());
    return r;
}

} // namespace

void ControlZoom::setRoot(QWidget* root, QSize designSize)
{
    root->setProperty(RootSizeKey, designSize);
    if (!root->property(FactorKey).isValid())
        setRootTransform(root, 1.0, QPoint(0, 0));
}

void ControlZoom::setRootTransform(QWidget* root, qreal factor, QPoint origin)
{
    root->setProperty(FactorKey, factor);
    root->setProperty(OriginKey, origin);
}

QWidget* ControlZoom::rootOf(const QWidget* control)
{
    for (QWidget* p = control->parentWidget(); p; p = p->parentWidget())
        if (p->property(RootSizeKey).isValid())
            return p;
    return nullptr;
}

qreal ControlZoom::factor(const QWidget* control)
{
    const QWidget* root = control->property(RootSizeKey).isValid() ? control : rootOf(control);
    return root && root->property(FactorKey).isValid() ? root->property(FactorKey).toReal() : 1.0;
}

QRect ControlZoom::designGeometry(const QWidget* control)
{
    const QVariant design = control->property(DesignKey);
    return design.isValid() ? design.toRect() : control->geometry();
}

QRect ControlZoom::designContentsRect(const QWidget* parent)
{
    const QVariant stored = parent->property(RootSizeKey);
    if (stored.isValid())
        return QRect(QPoint(0, 0), stored.toSize());
    if (!rootOf(parent))
        return parent->contentsRect();
    return designRect(parent).marginsRemoved(parent->contentsMargins());
}

void ControlZoom::recordDesign(QWidget* control)
{
    control->setProperty(DesignKey, control->geometry());
}

bool ControlZoom::hasDesign(const QWidget* control)
{
    return control->property(DesignKey).isValid();
}

void ControlZoom::setGeometry(QWidget* control, const QRect& design)
{
    if (!rootOf(control)) {
        control->setGeometry(design);
        return;
    }
    control->setProperty(DesignKey, design);
    control->setGeometry(shownGeometry(control));
}

void ControlZoom::resize(QWidget* control, QSize design)
{
    if (!rootOf(control)) {
        control->resize(design);
        return;
    }
    setGeometry(control, QRect(designGeometry(control).topLeft(), design));
}

QRect ControlZoom::shownGeometry(const QWidget* control)
{
    const QWidget* root = rootOf(control);
    if (!root)
        return designGeometry(control);
    QRect shown = mapToRoot(root, designInRoot(control, root));
    const QWidget* parent = control->parentWidget();
    if (parent != root)
        shown.translate(-mapToRoot(root, designInRoot(parent, root)).topLeft());
    return shown;
}

bool ControlZoom::isZoomed(const QWidget* control)
{
    return hasDesign(control) && control->size() != designSize(control) && rootOf(control);
}

void ControlZoom::scalePainter(QPainter& painter, const QWidget* control)
{
    if (!isZoomed(control))
        return;
    const QSize design = designSize(control);
    if (design.isEmpty())
        return;
    painter.scale(qreal(control->width()) / design.width(), qreal(control->height()) / design.height());
}

QPoint ControlZoom::toDesign(const QWidget* control, QPointF shown)
{
    if (!isZoomed(control))
        return shown.toPoint();
    const QSize design = designSize(control);
    const qreal x = control->width() > 0 ? shown.x() * design.width() / control->width() : shown.x();
    const qreal y = control->height() > 0 ? shown.y() * design.height() / control->height() : shown.y();
    return QPointF(x, y).toPoint();
}

QRect ControlZoom::toShown(const QWidget* control, const QRect& design)
{
    if (!isZoomed(control))
        return design;
    const QSize size = designSize(control);
    const qreal sx = size.width() > 0 ? qreal(control->width()) / size.width() : 1.0;
    const qreal sy = size.height() > 0 ? qreal(control->height()) / size.height() : 1.0;
    const QPoint topLeft(zoomed(design.left(), sx), zoomed(design.top(), sy));
    const QPoint end(zoomed(design.left() + design.width(), sx), zoomed(design.top() + design.height(), sy));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

void ControlZoom::paintThroughBitmap(QPainter& painter, const QWidget* control,
                                     const std::function<void(QPainter&)>& draw)
{
    const QSize design = designSize(control);
    if (!isZoomed(control) || design.isEmpty()) {
        draw(painter);
        return;
    }
    const qreal scale = std::max(qreal(control->width()) / design.width(), qreal(control->height()) / design.height());
    const qreal ratio = scale * control->devicePixelRatioF();
    QImage bitmap(QSize(int(std::ceil(design.width() * ratio)), int(std::ceil(design.height() * ratio))),
                  QImage::Format_ARGB32_Premultiplied);
    bitmap.setDevicePixelRatio(ratio);
    bitmap.fill(Qt::transparent);
    {
        QPainter onBitmap(&bitmap);
        onBitmap.setFont(control->font());
        draw(onBitmap);
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(control->rect()), bitmap, QRectF(bitmap.rect()));
    painter.restore();
}
