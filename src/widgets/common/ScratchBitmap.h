#pragma once

#include <QImage>

// The one off-screen bitmap of the process into which the countdown clock
// and the glyph check box paint before copying to the screen. Each paint
// grows it to at least its own control's size; it never shrinks. Only one
// paint runs at a time on the user-interface thread, so sharing is safe.
class ScratchBitmap
{
public:
    // The bitmap, grown to at least width x height.
    static QImage& acquire(int width, int height);
    static QSize size();
};
