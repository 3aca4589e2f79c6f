#include "GlyphStrip.h"

#include <QList>

namespace {

struct Strip
{
    QImage Image;
    QList<QImage> Cells; // masked, made on first use
    bool Loaded = false;
};

Strip& strip()
{
    static Strip s;
    if (!s.Loaded) {
        s.Loaded = true;
        const QImage loaded(QStringLiteral(":/pictures/checkbox.bmp"));
        if (!loaded.isNull())
            s.Image = loaded.convertToFormat(QImage::Format_RGB32);
    }
    return s;
}

} // namespace

const QImage& GlyphStrip::image()
{
    return strip().Image;
}

void GlyphStrip::setImage(const QImage& image)
{
    Strip& s = strip();
    s.Image = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    s.Cells.clear();
}

int GlyphStrip::cellSize()
{
    return image().height();
}

int GlyphStrip::groupCount()
{
    const int side = cellSize();
    return side > 0 ? image().width() / (side * 4) : 0;
}

const QImage& GlyphStrip::maskedCell(int index)
{
    static const QImage none;
    Strip& s = strip();
    const int side = s.Image.height();
    const int count = side > 0 ? s.Image.width() / side : 0;
    if (index < 0 || index >= count)
        return none;
    if (s.Cells.size() != count)
        s.Cells = QList<QImage>(count);
    QImage& cell = s.Cells[index];
    if (cell.isNull())
        cell = masked(s.Image.copy(index * side, 0, side, side));
    return cell;
}

QImage GlyphStrip::masked(const QImage& picture)
{
    if (picture.isNull())
        return QImage();
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    result.setDevicePixelRatio(1);
    const QRgb transparent = result.pixel(0, result.height() - 1);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if (line[x] == transparent)
                line[x] = 0;
    }
    return result;
}
