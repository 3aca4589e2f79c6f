#include "widgets/dxfCheckBox/GlyphStrip.h"

#include "platform/TransparentKey.h"

#include <QList>

namespace {

struct Strip
{
    QImage Image;
    QImage Twice; // the same cells at twice the pixels, or none
    QList<QImage> Cells; // masked, made on first use
    QList<QImage> TwiceCells;
    bool Loaded = false;
};

QImage opaque(const QImage& image)
{
    return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

Strip& strip()
{
    static Strip s;
    if (!s.Loaded) {
        s.Loaded = true;
        s.Image = opaque(QImage(QStringLiteral(":/dxfCheckBox/checkbox.bmp")));
        s.Twice = opaque(QImage(QStringLiteral(":/dxfCheckBox/checkbox@2x.bmp")));
    }
    return s;
}

} // namespace

const QImage& GlyphStrip::image()
{
    return strip().Image;
}

void GlyphStrip::setImage(const QImage& image, const QImage& twice)
{
    Strip& s = strip();
    s.Image = opaque(image);
    s.Twice = opaque(twice);
    s.Cells.clear();
    s.TwiceCells.clear();
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

const QImage& GlyphStrip::maskedCell(int index, qreal ratio)
{
    static const QImage none;
    Strip& s = strip();
    const int side = s.Image.height();
    const int count = side > 0 ? s.Image.width() / side : 0;
    if (index < 0 || index >= count)
        return none;
    // The twin serves only when its cells line up with the strip's.
    const bool twice = ratio > 1.0 && s.Twice.height() == 2 * side && s.Twice.width() >= 2 * side * count;
    QList<QImage>& cells = twice ? s.TwiceCells : s.Cells;
    if (cells.size() != count)
        cells = QList<QImage>(count);
    QImage& cell = cells[index];
    if (cell.isNull()) {
        if (twice) {
            cell = masked(s.Twice.copy(index * 2 * side, 0, 2 * side, 2 * side));
            cell.setDevicePixelRatio(2);
        } else {
            cell = masked(s.Image.copy(index * side, 0, side, side));
        }
    }
    return cell;
}

QImage GlyphStrip::masked(const QImage& picture)
{
    if (picture.isNull())
        return QImage();
    QImage result = TransparentKey::keyOut(picture);
    result.setDevicePixelRatio(1);
    return result;
}
