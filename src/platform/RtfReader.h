#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <string_view>
#include <vector>

class QTextDocument;
class QTextTable;

// Reads a rich-text (RTF) file into a text document: groups, control words
// and symbols, code page 1251 (and 1252) \'hh escapes, \uN, paragraphs,
// character and paragraph formatting, simple tables and embedded PNG and
// JPEG pictures. The reader is one pass over the bytes with an explicit
// group stack, so its time is linear in the input and its nesting bounded.
// Damaged input never crashes it: it keeps what it could read.
class RtfReader
{
public:
    // Replaces the content of the document with the text read from rtf.
    // Data that does not begin with "{\rtf" is no rich text: it is read as
    // plain code page 1251 text, line by line.
    static void read(const QByteArray& rtf, QTextDocument& document);

    // Groups nested deeper than this are read without text.
    static constexpr int MaxDepth = 256;
    // Limits of embedded pictures: encoded bytes of one and of all of them,
    // decoded pixels of one and of all of them. A picture past a limit is
    // left out.
    static constexpr qsizetype MaxPictureBytes = 16 * 1024 * 1024;
    static constexpr qsizetype MaxAllPictureBytes = 64 * 1024 * 1024;
    static constexpr qint64 MaxPicturePixels = 4096 * 4096;
    static constexpr qint64 MaxAllPicturePixels = 2 * MaxPicturePixels;
    // Cells of a table row past this many are read into its last cell.
    static constexpr int MaxTableColumns = 64;
    // A table goes on as a new table before its cells pass this many: the
    // table's own bookkeeping costs a pass over all its cells now and then.
    static constexpr int MaxTableCells = 16384;
    // Font sizes in half-points are kept within these bounds.
    static constexpr int MinHalfPoints = 2;
    static constexpr int MaxHalfPoints = 600;

private:
    enum class Destination : unsigned char { Text, Skipped, FontTable, ColourTable, Picture };
    enum class Script : signed char { Sub = -1, Normal = 0, Super = 1 };
    enum class Align : unsigned char { Left, Centre, Right, Justify };
    enum class PictureKind : unsigned char { None, Png, Jpeg, Other };

    // Character formatting of a group.
    struct CharState
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
        bool operator==(const CharState&) const = default;
    };

    // Paragraph formatting of a group; distances in twips.
    struct ParaState
    {
        Align align = Align::Left;
        int leftIndent = 0;
        int rightIndent = 0;
        int firstIndent = 0;
        int spaceBefore = 0;
        int spaceAfter = 0;
        bool inTable = false;
        bool operator==(const ParaState&) const = default;
    };

    struct Group
    {
        Destination destination = Destination::Text;
        bool startsPicture = false; // the group of a \pict: closing it shows the picture
        int unicodeSkip = 1;        // \uc: fallback characters after \uN
        CharState chars;
        ParaState para;
    };

    struct Font
    {
        QString family;
        int codePage = 0; // 0: the document's code page
        QFont::StyleHint hint = QFont::AnyStyle;
    };

    RtfReader(QTextDocument& document);

    void parse(QByteArrayView rtf);
    static void readPlainText(const QByteArray& text, QTextDocument& document);

    // Tokens.
    const char* escape(const char* p, const char* end);
    const char* binary(const char* p, const char* end, int count);
    void textBytes(const char* p, const char* end);
    void escapedByte(unsigned char byte);
    void symbol(char c);
    void word(std::string_view name, bool hasParam, int param);
    void unicode(int param);
    void openGroup();
    bool closeGroup();
    bool skipping() const;
    bool consumeFallback();

    // Tables of the header.
    void commitFont();
    void commitColour();
    QChar decode(unsigned char byte, int codePage) const;
    int codePageOf(const CharState& chars) const;
    const Font* fontOf(const CharState& chars) const;

    // Pictures.
    void pictureHex(const char* p, const char* end);
    void finishPicture();

    // Output into the document.
    void put(QChar c);
    void putBytes(const char* p, const char* end);
    bool beginRun();
    void flushRun();
    void prepareContent(bool cell = false);
    void applyParagraph();
    void endParagraph();
    void endCell();
    void endRow();
    void openRow();
    void moveToCell();
    void ensureColumns(int count);
    void closeTable();
    void trimTable();
    void finishDocument();
    QTextCharFormat charFormat(const CharState& chars);
    QTextBlockFormat blockFormat(const ParaState& para);

    Group& top() { return Stack.back(); }
    const Group& top() const { return Stack.back(); }

    QTextDocument& Document;
    QTextCursor Cursor;

    std::vector<Group> Stack;
    int Overflow = 0;         // open groups past MaxDepth
    int FallbackSkip = 0;     // characters still to skip after a \uN
    bool StarPending = false; // a \* waits for its destination word

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

    PictureKind PictKind = PictureKind::None;
    QByteArray PictData;
    int PictNibble = -1;
    bool PictTooLarge = false;
    int PictGoalWidth = 0; // twips
    int PictGoalHeight = 0;
    int PictScaleX = 100; // percent
    int PictScaleY = 100;
    qsizetype AllPictureBytes = 0;
    qint64 AllPicturePixels = 0;
    int PictureCount = 0;

    QString Run;
    CharState RunChars;
    bool PendingBreak = false; // a paragraph has ended; the next content starts a new one

    QTextTable* Table = nullptr;
    int TableRow = 0;
    int TableColumn = 0; // the cell that the next content goes into
    int CursorColumn = 0;
    bool RowOpen = false;
    std::vector<int> CellBounds; // \cellx of the row definition, twips

    bool CharCacheValid = false;
    CharState CachedChars;
    QTextCharFormat CachedCharFormat;
    bool BlockCacheValid = false;
    ParaState CachedPara;
    QTextBlockFormat CachedBlockFormat;
};
