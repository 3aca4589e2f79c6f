#include "platform/controls/TBitBtn.h"

#include "platform/TransparentKey.h"

#include <QIcon>
#include <QPixmap>

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
    const QImage strip = FGlyph.isEmpty() ? QImage() : QImage(FGlyph);
    if (strip.isNull()) {
        setIcon(QIcon());
        return;
    }
    QIcon icon;
    icon.addPixmap(frame(strip, 0, FNumGlyphs), QIcon::Normal);
    if (FNumGlyphs > 1)
        icon.addPixmap(frame(strip, 1, FNumGlyphs), QIcon::Disabled);
    setIcon(icon);
    setIconSize(QSize(strip.width() / FNumGlyphs, strip.height()));
}
