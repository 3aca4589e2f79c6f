#include "TImage.h"

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
    QImageReader reader(path);
    setImage(reader.read());
}

void TImage::setImage(const QImage& image)
{
    Image = image;
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
    if (FAutoSize && !Image.isNull())
        resize(Image.size());
}

void TImage::paintEvent(QPaintEvent*)
{
    if (Image.isNull())
        return;
    QPainter painter(this);
    if (FStretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), Image);
    } else {
        painter.drawImage(0, 0, Image);
    }
}
