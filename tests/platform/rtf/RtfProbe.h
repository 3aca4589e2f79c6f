#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextImageFormat>

#include <cstddef>

class QTextDocument;

// What the rich-text tests read back from a document the reader filled:
// its text, the formats of the text and paragraphs, and its pictures; and
// the pictures the tests put into rich text.
class RtfProbe
{
public:
    // The raw text read from rtf.
    static QString textOf(const QByteArray& rtf);
    // The character format of the first fragment that contains the text.
    static QTextCharFormat formatOf(const QTextDocument& doc, const QString& text);
    // The format of the first paragraph that contains the text.
    static QTextBlockFormat blockOf(const QTextDocument& doc, const QString& text);

    struct Picture
    {
        QTextImageFormat format;
        QImage image;
    };
    // The pictures of the document in their order, with their images.
    static QList<Picture> picturesOf(const QTextDocument& doc);

    // Bytes of a literal that holds NUL bytes.
    template <std::size_t N>
    static QByteArray bytes(const char (&literal)[N])
    {
        return QByteArray(literal, N - 1);
    }
    static QByteArray hex(const QByteArray& data) { return data.toHex(); }
    // The image encoded in a picture format ("PNG", "JPEG").
    static QByteArray encoded(const QImage& image, const char* format);
    // A 6 x 4 picture of one colour, (200, 30, 40).
    static QImage testImage();
};
