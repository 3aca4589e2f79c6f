#include "platform/controls/TImage.h"

#include <QImageReader>
#include <QPainter>

TImage::TImage(QWidget* parent)
    : QWidget(parent)
{
}

void TImage::setPicture(const QString& path)
{
    if (path == FPicture)
        return;
    FPicture = path;
    Image = QImage();
    Loaded = false;
    if (FAutoSize)
        adjustSize();
    update();
}

const QImage& TImage::image() const
{
    if (!Loaded) {
        Loaded = true;
        QImageReader reader(FPicture);
        Image = reader.read();
    }
    return Image;
}

void TImage::setImage(const QImage& image)
{
    Image = image;
    Loaded = true;
    adjustSize();
    update();
}

void TImage::setStretch(bool value)
{
    if (value == FStretch)
        return;
    FStretch = value;
    update();
}

void TImage::setAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    adjustSize();
}

void TImage::adjustSize()
{
    if (!FAutoSize)
        return;
    // The size of a picture not yet read comes from its header alone.
    const QSize size = Loaded ? Image.size() : QImageReader(FPicture).size();
    if (size.isValid() && !size.isEmpty())
        resize(size);
}

void TImage::paintEvent(QPaintEvent*)
{
    const QImage& picture = image();
    if (picture.isNull())
        return;
    QPainter painter(this);
    if (FStretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture);
    } else {
        painter.drawImage(0, 0, picture);
    }
}
