#pragma once

#include "platform/TColor.h"

class QWidget;

// The font colour of a control, kept as its palette's window-text colour
// so that it follows the palette like every other control's text.
class FontColor
{
public:
    static TColor of(const QWidget* control);
    // Sets the colour and repaints; nothing when it is the same.
    static void set(QWidget* control, TColor colour);
};
