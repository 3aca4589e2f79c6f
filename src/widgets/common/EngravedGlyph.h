#pragma once

#include <QImage>
#include <QRgb>

#include <functional>

// A glyph engraved as a disabled control shows it: its shape in the button
// highlight one pixel right and down, and over that the shape in the button
// shadow in place.
class EngravedGlyph
{
public:
    // The engraving of the pixels of glyph that inShape picks, one pixel
    // wider and taller than the glyph and transparent around the shape.
    static QImage render(const QImage& glyph, const std::function<bool(QRgb)>& inShape);
};
