#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>

class QWidget;

// The zoom of a page of the window. The page is designed at its stored size
// and follows the frame as one piece: its content is shown at the largest
// factor at which it fits the page (never below 1, so at the stored size
// every pixel stays as it is), keeping the stored proportions, centred.
// Around it the page shows its own background: the field of its background
// picture (the picture aligned to fill it) carried out to the page's edges,
// else the window's colour.
//
// Every control of the page (each widget of the stored form on it: a widget
// with a name, Qt's own parts, named "qt_...", excepted) is a real widget
// at its zoomed place and size (ControlZoom). The controls drawn by the
// program draw themselves zoomed; the ones drawn by Qt alone, the edit
// fields and the text views, get their font at the zoomed size.
class PageZoom : public QObject
{
    Q_OBJECT

public:
    // Makes page a zoom root designed at designSize, records the design
    // geometry of every control on it as it stands now, and lays the page
    // out at every change of its size from then on.
    static void apply(QWidget* page, QSize designSize);
    // Lays the page out for its present size.
    static void layout(QWidget* page);

    // The factor and the content's top-left corner for a page of a size.
    static qreal factorFor(QSize page, QSize design);
    static QPoint originFor(QSize page, QSize design, qreal factor);
    // The controls of a page, every parent before its children.
    static QList<QWidget*> controlsOf(const QWidget* page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    static void paintMargins(QWidget* page);
};
