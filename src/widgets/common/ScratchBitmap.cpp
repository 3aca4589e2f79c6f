#include "widgets/common/ScratchBitmap.h"

#include <algorithm>

namespace {

QImage& bitmap()
{
    static QImage image;
    return image;
}

} // namespace

QImage& ScratchBitmap::acquire(int width, int height)
{
    QImage& image = bitmap();
    if (image.width() < width || image.height() < height) {
        QImage grown(std::max(image.width(), width), std::max(image.height(), height),
                     QImage::Format_RGB32);
        grown.fill(Qt::black);
        image = grown;
    }
    return image;
}

QSize ScratchBitmap::size()
{
    return bitmap().size();
}
