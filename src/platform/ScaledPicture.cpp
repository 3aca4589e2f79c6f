#include "platform/ScaledPicture.h"

#include <QFileInfo>
#include <QImageReader>

QString ScaledPicture::pathFor(const QString& path, qreal ratio)
{
    if (ratio <= 1.0 || path.isEmpty())
        return path;
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int at = dot > slash ? dot : path.size();
    const QString twice = path.left(at) + QStringLiteral("@2x") + path.mid(at);
    return QFileInfo::exists(twice) ? twice : path;
}

QImage ScaledPicture::read(const QString& path, qreal ratio)
{
    // The reader gives a file named "...@2x" the device pixel ratio 2.
    QImageReader reader(pathFor(path, ratio));
    return reader.read();
}

QSize ScaledPicture::size(const QString& path)
{
    return QImageReader(path).size();
}
