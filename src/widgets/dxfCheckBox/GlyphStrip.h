#pragma once

#include <QImage>

// The CHECKBOX glyph strip of the glyph check box: square cells as wide as
// the strip is high (18 x 18), in groups of four per look (unchecked,
// checked, unchecked disabled, checked disabled), on a background of the
// transparent colour. One strip for the whole process, loaded on first use
// from ":/dxfCheckBox/checkbox.bmp"; when it cannot be loaded it stays empty
// and boxes without pictures of their own draw none. Its twin at twice the
// pixels (":/dxfCheckBox/checkbox@2x.bmp", cells of 36 x 36) gives the cells
// for screens of device pixel ratio above 1 and zoomed pages.
class GlyphStrip
{
public:
    static const QImage& image();
    // Puts another strip in its place (an empty image: no strip), with its
    // twin at twice the pixels, if any.
    static void setImage(const QImage& strip, const QImage& twice = QImage());

    // The side of a cell: the strip's height, 0 without a strip.
    static int cellSize();
    // Number of looks: width div (height * 4).
    static int groupCount();
    // Cell `index` (0-based) with the transparent colour (its bottom-left
    // pixel) made transparent; a null image outside the strip. At a device
    // pixel ratio above 1 the cell of the twin, of device pixel
    // ratio 2, so that it covers the same 18 x 18 window pixels.
    static const QImage& maskedCell(int index, qreal ratio = 1.0);

    // A picture with every pixel of its transparent colour, the colour of
    // its bottom-left pixel, made transparent; the rest opaque as it is.
    static QImage masked(const QImage& picture);
};
