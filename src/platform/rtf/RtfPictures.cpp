#include "platform/rtf/RtfPictures.h"

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfTokenizer.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

constexpr int MaxPicturePixelsWide = 4000;

} // namespace

RtfPictures::RtfPictures(QTextDocument& document)
    : Document(document)
{
}

void RtfPictures::begin()
{
    PictKind = Kind::None;
    Data.clear();
    Nibble = -1;
    TooLarge = false;
    GoalWidth = GoalHeight = 0;
    ScaleX = ScaleY = 100;
}

void RtfPictures::hex(const char* p, const char* end)
{
    if (PictKind != Kind::Png && PictKind != Kind::Jpeg)
        return; // the data of a picture that is not shown is not kept
    for (; p < end; ++p) {
        const int v = RtfTokenizer::hexValue(*p);
        if (v < 0)
            continue;
        if (Nibble < 0) {
            Nibble = v;
            continue;
        }
        if (Data.size() >= RtfReader::MaxPictureBytes) {
            TooLarge = true;
            return;
        }
        Data.append(char(Nibble * 16 + v));
        Nibble = -1;
    }
}

void RtfPictures::binary(const char* p, std::size_t count)
{
    if (TooLarge)
        return;
    const qsizetype n = qsizetype(count);
    if (Data.size() + n > RtfReader::MaxPictureBytes)
        TooLarge = true;
    else
        Data.append(p, n);
}

std::optional<QTextImageFormat> RtfPictures::finish(bool hidden)
{
    const bool shown = (PictKind == Kind::Png || PictKind == Kind::Jpeg) && !TooLarge && !Data.isEmpty()
        && !hidden && AllBytes + Data.size() <= RtfReader::MaxAllPictureBytes;
    const QByteArray data = std::exchange(Data, QByteArray());
    // The data must begin as its kind does, so that no decoder meets data
    // that is not its own.
    const bool signature = PictKind == Kind::Png ? data.startsWith("\x89PNG\r\n\x1a\n") : data.startsWith("\xFF\xD8");
    if (!shown || !signature)
        return std::nullopt;
    AllBytes += data.size();

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    // Only the named decoder reads it, never one guessed from the data.
    QImageReader reader(&buffer, PictKind == Kind::Png ? "png" : "jpeg");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid())
        return std::nullopt;
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > RtfReader::MaxPicturePixels || AllPixels + pixels > RtfReader::MaxAllPicturePixels)
        return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    AllPixels += pixels;

    // Shown at the size the document asks for: the goal size in twips
    // scaled in percent, or the picture's own size.
    const qreal scaleX = std::clamp(ScaleX, 1, 1000) / 100.0;
    const qreal scaleY = std::clamp(ScaleY, 1, 1000) / 100.0;
    const qreal width = (GoalWidth > 0 ? GoalWidth / 15.0 : image.width()) * scaleX;
    const qreal height = (GoalHeight > 0 ? GoalHeight / 15.0 : image.height()) * scaleY;

    const QString name = QStringLiteral("rtf-picture:%1").arg(++Count);
    Document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(std::clamp(width, 1.0, qreal(MaxPicturePixelsWide)));
    format.setHeight(std::clamp(height, 1.0, qreal(MaxPicturePixelsWide)));
    return format;
}
