#pragma once

#include <QList>
#include <QPoint>
#include <QSize>

// Where the colour button puts its glyph and caption lines: the glyph on
// one side of the block of lines, 4 pixels apart when both are there, the
// whole centred in the button and shifted one pixel right and down while
// pressed. Lines are left-aligned beside a glyph on the left, right-aligned
// beside one on the right and centred above or below one.
class ColorButtonContent
{
public:
    // Same values as the button's layouts.
    enum GlyphSide { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

    struct Placement
    {
        QPoint Glyph;
        // The top-left corner of each caption line.
        QList<QPoint> Lines;
    };

    static constexpr int Gap = 4;

    // client: the button's size; glyph: the glyph's size (0 x 0 without);
    // lineWidths: the text width of each caption line; lineHeight: the
    // height of one line.
    static Placement place(QSize client, QSize glyph, const QList<int>& lineWidths, int lineHeight,
                           GlyphSide side, bool pressed);
};
