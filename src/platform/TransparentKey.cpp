#include "platform/TransparentKey.h"

QRgb TransparentKey::cornerOf(const QImage& picture)
{
    if (picture.isNull())
        return 0;
    return picture.pixel(0, picture.height() - 1);
}

QImage TransparentKey::keyOut(const QImage& picture, QRgb key)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    if (qAlpha(key) != 255)
        return out;
    key &= 0x00FFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = 0;
    }
    return out;
}
