#pragma once

#include <QImage>

// The one off-screen bitmap of the process into which the countdown clock
// and the glyph check box paint before copying to the screen. Each paint
// grows it to at least its own control's size in the screen's pixels; it
// never shrinks. Only one paint runs at a time on the user-interface
// thread, so sharing is safe.
class ScratchBitmap
{
public:
    // The bitmap, grown to at least width x height window pixels at the
    // given device pixel ratio (screen pixels per window pixel), and set to
    // that ratio, so that a painter on it draws in window pixels.
    static QImage& acquire(int width, int height, qreal ratio = 1.0);
    // Its size in screen pixels.
    static QSize size();
};
