#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The window's pictures come at their own size and at twice it, named
// after Qt's convention: "intro.jpg" and "intro@2x.jpg". A picture is read
// at the resolution it is shown at: where one pixel of the window covers
// more than one pixel of the screen (a device pixel ratio above 1), the
// @2x file when there is one. Its device pixel ratio is then 2, so it still
// covers its own size in the window's pixels.
class ScaledPicture
{
public:
    // The file to read for a ratio: the @2x file above 1 when it exists,
    // else the path itself.
    static QString pathFor(const QString& path, qreal ratio);
    static QImage read(const QString& path, qreal ratio);
    // The picture's size in the window's pixels, from the file's header.
    static QSize size(const QString& path);
};
