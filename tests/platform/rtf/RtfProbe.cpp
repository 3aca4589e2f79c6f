#include "platform/rtf/RtfProbe.h"

#include "platform/rtf/RtfReader.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

QString RtfProbe::textOf(const QByteArray& rtf)
{
    QTextDocument doc;
    RtfReader::read(rtf, doc);
    return doc.toRawText();
}

QTextCharFormat RtfProbe::formatOf(const QTextDocument& doc, const QString& text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
    return QTextCharFormat();
}

QTextBlockFormat RtfProbe::blockOf(const QTextDocument& doc, const QString& text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text().contains(text))
            return b.blockFormat();
    return QTextBlockFormat();
}

QList<RtfProbe::Picture> RtfProbe::picturesOf(const QTextDocument& doc)
{
    QList<Picture> pictures;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat()) {
                const QTextImageFormat image = f.toImageFormat();
                pictures.append({image, doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>()});
            }
        }
    return pictures;
}

QByteArray RtfProbe::encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage RtfProbe::testImage()
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 40));
    return image;
}
