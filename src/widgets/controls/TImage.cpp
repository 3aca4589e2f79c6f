#include "widgets/controls/TImage.h"

#include "platform/ScaledPicture.h"
#include "widgets/common/ControlZoom.h"

#include <QPainter>

#include <algorithm>

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
    return imageAt(devicePixelRatioF());
}

const QImage& TImage::imageAt(qreal ratio) const
{
    // Read once for ordinary screens and once more when a finer one (or a
    // printer) asks for the picture at twice its size.
    const int scale = ratio > 1.0 ? 2 : 1;
    if (!Loaded || (scale != LoadedScale && !FPicture.isEmpty())) {
        Loaded = true;
        LoadedScale = scale;
        Image = ScaledPicture::read(FPicture, ratio);
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
    const QSize size = Loaded ? Image.deviceIndependentSize().toSize() : ScaledPicture::size(FPicture);
    if (size.isValid() && !size.isEmpty())
        ControlZoom::resize(this, size);
}

void TImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Drawn in the stored form's pixels; on a zoomed page the painter
    // scales them to the control's size.
    ControlZoom::scalePainter(painter, this);
    // The screen's pixels per window pixel, or the printer's when the page
    // is printed, or those of a zoomed page.
    const qreal ratio = std::max(devicePixelRatioF(), painter.deviceTransform().m11());
    const QImage& picture = imageAt(ratio);
    if (picture.isNull())
        return;
    if (ControlZoom::isZoomed(this))
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (FStretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(ControlZoom::designRect(this), picture);
    } else {
        painter.drawImage(0, 0, picture);
    }
}
