#pragma once

// Helpers of the widget tests: the pointer entering and leaving a control,
// and where the pixels of a kind lie in a picture of one.

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QRect>
#include <QWidget>

#include <functional>

namespace fixture {

// The pointer comes in over a control, or goes, as the window system says.
inline void enter(QWidget* w)
{
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(w, &e);
}

inline void leave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

// The bounding box of the pixels of `area` (the whole picture when none is
// given) that are of the kind asked for; empty when there are none.
inline QRect boxOf(const QImage& image, const std::function<bool(QRgb)>& kind, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (kind(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The bounding box of the pixels of one colour.
inline QRect pixelsOf(const QImage& image, QRgb colour, const QRect& area = {})
{
    return boxOf(image, [colour](QRgb pixel) { return pixel == colour; }, area);
}

} // namespace fixture
