#pragma once

#include <QByteArray>
#include <QTextImageFormat>

#include <cstddef>
#include <optional>

class QTextDocument;

// The pictures of a rich-text document: the one being read (its kind, its
// data from hex digits or \bin, its goal size and scale) and the budget of
// bytes and pixels all of them share. PNG and JPEG pictures are shown, each
// decoded only by its own decoder; any other kind is read past.
class RtfPictures
{
public:
    enum class Kind : unsigned char { None, Png, Jpeg, Other };

    explicit RtfPictures(QTextDocument& document);

    // A \pict group begins.
    void begin();
    void setKind(Kind kind) { PictKind = kind; }
    void setGoalWidth(int twips) { GoalWidth = twips; }
    void setGoalHeight(int twips) { GoalHeight = twips; }
    void setScaleX(int percent) { ScaleX = percent; }
    void setScaleY(int percent) { ScaleY = percent; }

    // The picture's data: pairs of hex digits (other bytes between them are
    // read past), or raw bytes of a \binN.
    void hex(const char* p, const char* end);
    void binary(const char* p, std::size_t count);

    // The picture's group has closed. The picture, added to the document's
    // resources, in the format that shows it at the size the document asks
    // for; nothing for a picture left out: hidden, of a kind not shown,
    // damaged, or past a limit.
    std::optional<QTextImageFormat> finish(bool hidden);

private:
    QTextDocument& Document;

    Kind PictKind = Kind::None;
    QByteArray Data;
    int Nibble = -1;
    bool TooLarge = false;
    int GoalWidth = 0; // twips
    int GoalHeight = 0;
    int ScaleX = 100; // percent
    int ScaleY = 100;

    qsizetype AllBytes = 0;
    qint64 AllPixels = 0;
    int Count = 0;
};
