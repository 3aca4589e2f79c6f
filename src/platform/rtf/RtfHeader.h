#pragma once

#include <QChar>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QString>

// What the header of a rich-text document declares, read entry by entry:
// the document's code page and default font, the font table (the family,
// code page and kind of every font number) and the colour table.
class RtfHeader
{
public:
    struct Font
    {
        QString family;
        int codePage = 0; // 0: the document's code page
        QFont::StyleHint hint = QFont::AnyStyle;
    };

    // \ansicpg: a code page the reader does not know reads as 1251.
    void setCodePage(int codePage);
    void setDefaultFont(int number) { DefaultFont = number; }

    // The font table: an entry begins with its \fN and ends with a
    // semicolon or with the table's group.
    void beginFontTable();
    void fontNumber(int number);
    void fontCharset(int charset);
    void fontCodePage(int codePage);
    void fontHint(QFont::StyleHint hint) { Entry.hint = hint; }
    // Bytes of the font name; a semicolon ends the entry.
    void fontNameBytes(const char* p, const char* end);
    void fontNameByte(unsigned char byte);
    void fontNameChar(QChar c);
    void endFont();

    // The colour table: \red, \green and \blue of an entry, which a
    // semicolon ends; an entry without them is the automatic colour.
    enum class Channel : unsigned char { Red, Green, Blue };
    void beginColourTable();
    void colourChannel(Channel channel, int value);
    void colourBytes(const char* p, const char* end);

    // A byte of text in a code page; 0 is the document's.
    QChar decode(unsigned char byte, int codePage) const;
    // The font of a font number, the default font for -1; nullptr for one
    // the table does not hold.
    const Font* font(int number) const;
    // The code page of text in a font.
    int codePageOf(int number) const;
    // The colour of an index of the colour table; invalid for the automatic
    // colour and for an index the table does not hold.
    QColor colour(int index) const;

private:
    void commitFont();
    void commitColour();

    int CodePage = 1251;
    int DefaultFont = -1;
    QHash<int, Font> Fonts;
    int EntryNumber = -1; // the font table entry being read
    Font Entry;
    QList<QColor> Colours; // invalid colour: automatic
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    bool ColourGiven = false;
};
