#include "widgets/dxfCheckBox/GlyphStrip.h"

#include "platform/TransparentKey.h"

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
        const QImage loaded(QStringLiteral(":/dxfCheckBox/checkbox.bmp"));
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
    QImage result = TransparentKey::keyOut(picture);
    result.setDevicePixelRatio(1);
    return result;
}
