#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

class QTextDocument;
class QTextImageFormat;
class QTextTable;
class RtfHeader;

// Writes what the rich-text reader reads into the document: runs of text in
// their character formatting, paragraphs in the paragraph formatting in
// force at their end, tables row by row and cell by cell, and pictures.
// Text is gathered into runs and inserted a run at a time.
class RtfDocumentBuilder
{
public:
    enum class Script : signed char { Sub = -1, Normal = 0, Super = 1 };
    enum class Align : unsigned char { Left, Centre, Right, Justify };

    // Character formatting of a group.
    struct Chars
    {
        int font = -1; // number in the font table; -1 is the default font
        int halfPoints = 24;
        int foreground = 0; // colour table index; 0 is the automatic colour
        int background = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        Script script = Script::Normal;
        bool operator==(const Chars&) const = default;
    };

    // Paragraph formatting of a group; distances in twips.
    struct Paragraph
    {
        Align align = Align::Left;
        int leftIndent = 0;
        int rightIndent = 0;
        int firstIndent = 0;
        int spaceBefore = 0;
        int spaceAfter = 0;
        bool inTable = false;
        bool operator==(const Paragraph&) const = default;
    };

    RtfDocumentBuilder(QTextDocument& document, const RtfHeader& header);

    // A character, or bytes of text in the code page of the font, in the
    // group's formatting. Hidden text is left out.
    void put(QChar c, const Chars& chars, const Paragraph& para);
    void putBytes(const char* p, const char* end, const Chars& chars, const Paragraph& para);
    void putPicture(const QTextImageFormat& picture, const Paragraph& para);

    // \par: the paragraph takes the paragraph formatting in force at its end.
    void endParagraph(const Chars& chars, const Paragraph& para);

    // The row definition's cell bounds (\cellx, twips) and the ends of a
    // cell and of a row.
    void clearCellBounds() { CellBounds.clear(); }
    void addCellBound(int twips);
    void endCell(const Chars& chars, const Paragraph& para);
    void endRow();

    // The end of the document, or of the data within it.
    void finish(const Chars& chars, const Paragraph& para);

    // A character the document may hold, 0 for one it may not: control
    // characters are not text, and the characters that the document uses
    // for its own structure (frame marks, the object replacement character,
    // block separators) must not come from the file.
    static char16_t textCharacter(char16_t c);

private:
    bool beginRun(const Chars& chars, const Paragraph& para);
    void flushRun();
    void prepareContent(const Paragraph& para, bool cell = false);
    void applyParagraph(const Chars& chars, const Paragraph& para);
    void openRow();
    void moveToCell();
    void ensureColumns(int count);
    void closeTable();
    void trimTable();
    QTextCharFormat charFormat(const Chars& chars);
    QTextBlockFormat blockFormat(const Paragraph& para);

    QTextCursor Cursor;
    const RtfHeader& Header;

    QString Run;
    Chars RunChars;
    bool PendingBreak = false; // a paragraph has ended; the next content starts a new one

    QTextTable* Table = nullptr;
    int TableRow = 0;
    int TableColumn = 0; // the cell that the next content goes into
    int CursorColumn = 0;
    bool RowOpen = false;
    std::vector<int> CellBounds; // \cellx of the row definition, twips

    bool CharCacheValid = false;
    Chars CachedChars;
    QTextCharFormat CachedCharFormat;
    bool BlockCacheValid = false;
    Paragraph CachedPara;
    QTextBlockFormat CachedBlockFormat;
};
