#include "widgets/common/ScratchBitmap.h"

#include <algorithm>
#include <cmath>

namespace {

QImage& bitmap()
{
    static QImage image;
    return image;
}

} // namespace

QImage& ScratchBitmap::acquire(int width, int height, qreal ratio)
{
    QImage& image = bitmap();
    const int w = int(std::ceil(width * ratio));
    const int h = int(std::ceil(height * ratio));
    if (image.width() < w || image.height() < h) {
        QImage grown(std::max(image.width(), w), std::max(image.height(), h), QImage::Format_RGB32);
        grown.fill(Qt::black);
        image = grown;
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

QSize ScratchBitmap::size()
{
    return bitmap().size();
}
