#include "widgets/dxfColorButton/ColorButtonContent.h"

#include <algorithm>

ColorButtonContent::Placement ColorButtonContent::place(QSize client, QSize glyph,
                                                        const QList<int>& lineWidths, int lineHeight,
                                                        GlyphSide side, bool pressed)
{
    const int W = client.width();
    const int H = client.height();
    const int gw = glyph.width();
    const int gh = glyph.height();
    const int th = int(lineWidths.size()) * lineHeight;
    const int tw = lineWidths.isEmpty() ? 0 : *std::max_element(lineWidths.begin(), lineWidths.end());
    const int sp = (gw > 0 && tw > 0) ? Gap : 0;

    int gx = 0, gy = 0, tx = 0, ty = 0;
    switch (side) {
    case GlyphLeft:
        gx = (W - gw - sp - tw) / 2;
        gy = (H - gh) / 2;
        tx = gx + gw + sp;
        ty = (H - th) / 2;
        break;
    case GlyphRight:
        tx = (W - gw - sp - tw) / 2;
        ty = (H - th) / 2;
        gx = tx + tw + sp;
        gy = (H - gh) / 2;
        break;
    case GlyphTop:
        gx = (W - gw) / 2;
        gy = (H - gh - th - sp) / 2;
        tx = (W - tw) / 2;
        ty = gy + gh + sp;
        break;
    case GlyphBottom:
        tx = (W - tw) / 2;
        ty = (H - gh - th - sp) / 2;
        gx = (W - gw) / 2;
        gy = ty + th + sp;
        break;
    }
    if (pressed) {
        ++gx;
        ++gy;
        ++tx;
        ++ty;
    }

    Placement out;
    out.Glyph = QPoint(gx, gy);
    for (int k = 0; k < lineWidths.size(); ++k) {
        int dx = 0;
        if (side == GlyphTop || side == GlyphBottom)
            dx = (tw - lineWidths[k]) / 2;
        else if (side == GlyphRight)
            dx = tw - lineWidths[k];
        out.Lines << QPoint(tx + dx, ty + k * lineHeight);
    }
    return out;
}
