#pragma once

#include <QImage>

// The CHECKBOX glyph strip of the glyph check box: square cells as wide as
// the strip is high (18 x 18), in groups of four per look (unchecked,
// checked, unchecked disabled, checked disabled), on a background of the
// transparent colour. One strip for the whole process, loaded on first use
// from ":/dxfCheckBox/checkbox.bmp"; when it cannot be loaded it stays empty
// and boxes without pictures of their own draw none.
class GlyphStrip
{
public:
    static const QImage& image();
    // Puts another strip in its place (an empty image: no strip).
    static void setImage(const QImage& strip);

    // The side of a cell: the strip's height, 0 without a strip.
    static int cellSize();
    // Number of looks: width div (height * 4).
    static int groupCount();
    // Cell `index` (0-based) with the transparent colour (its bottom-left
    // pixel) made transparent; a null image outside the strip.
    static const QImage& maskedCell(int index);

    // A picture with every pixel of its transparent colour, the colour of
    // its bottom-left pixel, made transparent; the rest opaque as it is.
    static QImage masked(const QImage& picture);
};
