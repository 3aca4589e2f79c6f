#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QPainter;
class QWidget;

// The controls' side of a zoomed page. A page of the window is designed at
// its stored size and shown larger, as one piece, when the frame grows: the
// page (a zoom root) keeps the stored size of its content, the factor it is
// shown at and where the zoomed content begins. Every control under it keeps
// its place and size as the stored form gives them (its design geometry,
// relative to its parent, in stored pixels) and is shown at that rectangle
// zoomed: a real widget at the place and size where it is drawn.
//
// A control draws itself in stored pixels through a painter scaled to its
// shown size (scalePainter), so lines, pictures and text keep their places
// and grow as one; its pictures and bitmaps follow the painter's scale to
// their twins at twice the pixels, as on a fine screen. Whatever places or
// sizes a control on a zoomed page (an auto-sized control, a container
// placing its children, an alignment) does it through setGeometry and
// resize here, in stored pixels. Off a zoomed page, or at the stored size,
// all of this is the plain geometry and the plain painter.
class ControlZoom
{
public:
    // Makes root a zoom root whose content is designed at designSize.
    static void setRoot(QWidget* root, QSize designSize);
    // Shows the root's content at factor, its top-left corner at origin of
    // the root; the controls are placed by the caller (PageZoom).
    static void setRootTransform(QWidget* root, qreal factor, QPoint origin);
    // The nearest zoom root above the control, or none.
    static QWidget* rootOf(const QWidget* control);
    // The factor the control is shown at: 1 off a zoomed page.
    static qreal factor(const QWidget* control);

    // The control's place and size in stored pixels, relative to its
    // parent: its geometry where none was recorded.
    static QRect designGeometry(const QWidget* control);
    static QSize designSize(const QWidget* control) { return designGeometry(control).size(); }
    static QRect designRect(const QWidget* control) { return QRect(QPoint(0, 0), designSize(control)); }
    // The rectangle children are aligned in: the stored size of a root's
    // content, a control's design rectangle less its contents margins.
    static QRect designContentsRect(const QWidget* parent);
    // Notes the control's design geometry as it stands now.
    static void recordDesign(QWidget* control);
    static bool hasDesign(const QWidget* control);

    // Places the control at a rectangle of the stored form (relative to its
    // parent), shown zoomed.
    static void setGeometry(QWidget* control, const QRect& design);
    static void resize(QWidget* control, QSize design);
    // Where the control stands on screen for its design geometry, relative
    // to its parent.
    static QRect shownGeometry(const QWidget* control);

    // Sets the painter up to draw the control in stored pixels.
    static void scalePainter(QPainter& painter, const QWidget* control);
    // True while the control is shown at another size than stored.
    static bool isZoomed(const QWidget* control);
    // A point of the control's shown pixels in stored pixels, and a
    // rectangle of stored pixels in shown ones.
    static QPoint toDesign(const QWidget* control, QPointF shown);
    static QRect toShown(const QWidget* control, const QRect& design);

    // Paints a control drawn by the window style: draw paints the design
    // rectangle in stored pixels onto a bitmap of the control's shown
    // pixels (a device pixel ratio of the zoom), so that the style's text
    // and icons are drawn at the shown size, then the bitmap onto painter.
    static void paintThroughBitmap(QPainter& painter, const QWidget* control,
                                   const std::function<void(QPainter&)>& draw);
};
