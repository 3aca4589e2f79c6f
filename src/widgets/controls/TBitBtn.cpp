#include "widgets/controls/TBitBtn.h"

#include "platform/ScaledPicture.h"
#include "platform/TransparentKey.h"
#include "widgets/common/ControlZoom.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

// One frame of the strip with its transparent colour taken out.
QPixmap frame(const QImage& strip, int index, int count)
{
    const int w = strip.width() / count;
    return QPixmap::fromImage(TransparentKey::keyOut(strip.copy(index * w, 0, w, strip.height())));
}

} // namespace

TBitBtn::TBitBtn(QWidget* parent)
    : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, [this] { emit OnClick(this); });
}

void TBitBtn::setGlyph(const QString& path)
{
    if (path == FGlyph)
        return;
    FGlyph = path;
    updateIcon();
}

void TBitBtn::setNumGlyphs(int count)
{
    count = std::max(1, count);
    if (count == FNumGlyphs)
        return;
    FNumGlyphs = count;
    updateIcon();
}

void TBitBtn::updateIcon()
{
    const QImage strip = FGlyph.isEmpty() ? QImage() : ScaledPicture::read(FGlyph, 1);
    if (strip.isNull()) {
        setIcon(QIcon());
        return;
    }
    // The frames at the glyph's own size and, where the @2x strip exists,
    // at twice it; the icon shows the ones that suit the screen.
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        if (ratio > 1 && ScaledPicture::pathFor(FGlyph, ratio) == FGlyph)
            break;
        const QImage scaled = ScaledPicture::read(FGlyph, ratio);
        icon.addPixmap(frame(scaled, 0, FNumGlyphs), QIcon::Normal);
        if (FNumGlyphs > 1)
            icon.addPixmap(frame(scaled, 1, FNumGlyphs), QIcon::Disabled);
    }
    setIcon(icon);
    setIconSize(QSize(strip.width() / FNumGlyphs, strip.height()));
}

void TBitBtn::paintEvent(QPaintEvent* event)
{
    if (!ControlZoom::isZoomed(this)) {
        QPushButton::paintEvent(event);
        return;
    }
    // On a zoomed page the style draws the button at its stored size onto
    // the button's shown pixels: caption and glyph (the glyph's twin at
    // twice the pixels) at the zoomed size, not a small button stretched.
    QPainter painter(this);
    ControlZoom::paintThroughBitmap(painter, this, [this](QPainter& canvas) {
        QStyleOptionButton option;
        initStyleOption(&option);
        option.rect = ControlZoom::designRect(this);
        style()->drawControl(QStyle::CE_PushButton, &option, &canvas, this);
    });
}
