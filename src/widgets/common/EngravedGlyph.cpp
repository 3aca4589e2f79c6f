#include "widgets/common/EngravedGlyph.h"

#include "platform/TColor.h"

#include <QPainter>

QImage EngravedGlyph::render(const QImage& glyph, const std::function<bool(QRgb)>& inShape)
{
    QImage shape(glyph.size(), QImage::Format_ARGB32);
    for (int y = 0; y < glyph.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x)
            out[x] = inShape(glyph.pixel(x, y)) ? qRgba(0, 0, 0, 255) : qRgba(0, 0, 0, 0);
    }
    auto tinted = [&](TColor colour) {
        QImage t = shape;
        QPainter p(&t);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(t.rect(), colour.toQColor());
        return t;
    };
    QImage engraving(glyph.width() + 1, glyph.height() + 1, QImage::Format_ARGB32);
    engraving.fill(0);
    QPainter p(&engraving);
    p.drawImage(1, 1, tinted(clBtnHighlight));
    p.drawImage(0, 0, tinted(clBtnShadow));
    return engraving;
}
