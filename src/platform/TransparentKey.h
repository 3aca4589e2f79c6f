#pragma once

#include <QImage>

// The transparent colour of the program's pictures: the colour of a
// picture's bottom-left pixel is left out when the picture is drawn.
class TransparentKey
{
public:
    // The colour of the bottom-left pixel; 0 for an empty picture.
    static QRgb cornerOf(const QImage& picture);
    // An ARGB copy in which the pixels of the key's colour are fully
    // transparent. A key that is itself not opaque means the picture
    // carries its own alpha channel, which is kept as it is.
    static QImage keyOut(const QImage& picture, QRgb key);
    static QImage keyOut(const QImage& picture) { return keyOut(picture, cornerOf(picture)); }
};
