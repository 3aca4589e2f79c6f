#pragma once

#include "platform/TColor.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

class QFont;
class QPainter;

// The three drawn faces of the countdown clock, painted into the bitmap of
// its client area: seven-segment digits, the revolving drum whose changed
// digits roll into place, and the hourglass whose sand runs down with the
// count. The drum keeps its shading for the size and colour it last drew.
// The canvas may have a device pixel ratio above 1 (a fine screen): the
// rectangles and sizes given are then in window pixels, and the faces are
// drawn at the canvas's own, finer pixels.
class TimerFaces
{
public:
    // The digits of text in seven segments, the other characters in the
    // font, centred in inner.
    static void segments(QImage& canvas, const QRect& inner, const QFont& font, const QColor& ink,
                         const QString& text);

    // The drum of the given colour in inner, showing text as it stands in
    // roll phase (1 ... 10, 10 at rest) coming from previousText: forward
    // counts roll downward, backward ones upward.
    void drum(QImage& canvas, const QRect& inner, const QFont& font, const QColor& ink, TColor colour,
              bool forward, const QString& text, const QString& previousText, int phase);

    // The hourglass filling a control of the given size, its frame shaded
    // from frameColour, with the sand of elapsed of total seconds run down;
    // a running clock shows the falling grain.
    static void hourGlass(QImage& canvas, QSize size, TColor frameColour, int total, int elapsed,
                          bool running);

    // The font as large in screen pixels as it is in window pixels.
    static QFont screenFont(const QFont& font, qreal ratio);
    // The screen pixels of a line one window pixel wide.
    static int lineWidth(qreal ratio);

    // Text at (x, y), its top, not its baseline.
    static void drawTextAt(QPainter& painter, int x, int y, const QString& text);

private:
    // The drum's shading for the current size and colour, and the bitmap
    // each frame is built in.
    QImage DrumBackground;
    QImage DrumBitmap;
    QList<QRgb> LightEdge;
    QList<QRgb> DarkEdge;
    TColor DrumColor;
};
