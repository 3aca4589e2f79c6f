#include "platform/RtfReader.h"

#include "platform/Cp1251.h"
#include "platform/Cp1252.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextLength>
#include <QTextTable>
#include <QTextTableFormat>
#include <QUrl>

#include <algorithm>
#include <array>
#include <climits>

namespace {

enum class Kw : unsigned char {
    Skip, // a destination whose content is not shown
    AnsiCpg, Deff,
    FontTable, ColourTable, Pict, ShpPict,
    F, FCharset, Cpg, FNil, FRoman, FSwiss, FModern, FScript, FDecor, FTech,
    Red, Green, Blue,
    Plain, B, I, Ul, UlNone, Strike, Hidden, Fs, Cf, Cb, Super, Sub, NoSuperSub,
    Pard, Par, Line, Tab, Ql, Qr, Qc, Qj, Li, Ri, Fi, Sb, Sa,
    InTable, Trowd, CellX, Cell, Row, NestCell, NestRow,
    U, Uc, Char,
    PngBlip, JpegBlip, OtherBlip, PicWGoal, PicHGoal, PicScaleX, PicScaleY,
};

struct Keyword
{
    std::string_view name;
    Kw kw;
    char16_t ch = 0; // the character of Kw::Char
};

// Sorted by name for the binary search.
constexpr std::array Keywords = {
    Keyword{"aftncn", Kw::Skip},
    Keyword{"aftnsep", Kw::Skip},
    Keyword{"aftnsepc", Kw::Skip},
    Keyword{"annotation", Kw::Skip},
    Keyword{"ansicpg", Kw::AnsiCpg},
    Keyword{"atnauthor", Kw::Skip},
    Keyword{"atndate", Kw::Skip},
    Keyword{"atnicn", Kw::Skip},
    Keyword{"atnid", Kw::Skip},
    Keyword{"atnparent", Kw::Skip},
    Keyword{"atnref", Kw::Skip},
    Keyword{"atntime", Kw::Skip},
    Keyword{"atrfend", Kw::Skip},
    Keyword{"atrfstart", Kw::Skip},
    Keyword{"author", Kw::Skip},
    Keyword{"b", Kw::B},
    Keyword{"background", Kw::Skip},
    Keyword{"bkmkend", Kw::Skip},
    Keyword{"bkmkstart", Kw::Skip},
    Keyword{"blipuid", Kw::Skip},
    Keyword{"blue", Kw::Blue},
    Keyword{"bullet", Kw::Char, u'\u2022'},
    Keyword{"buptim", Kw::Skip},
    Keyword{"cb", Kw::Cb},
    Keyword{"cell", Kw::Cell},
    Keyword{"cellx", Kw::CellX},
    Keyword{"cf", Kw::Cf},
    Keyword{"chcbpat", Kw::Cb},
    Keyword{"colortbl", Kw::ColourTable},
    Keyword{"column", Kw::Par},
    Keyword{"comment", Kw::Skip},
    Keyword{"company", Kw::Skip},
    Keyword{"cpg", Kw::Cpg},
    Keyword{"creatim", Kw::Skip},
    Keyword{"datafield", Kw::Skip},
    Keyword{"datastore", Kw::Skip},
    Keyword{"deff", Kw::Deff},
    Keyword{"dibitmap", Kw::OtherBlip},
    Keyword{"do", Kw::Skip},
    Keyword{"doccomm", Kw::Skip},
    Keyword{"docvar", Kw::Skip},
    Keyword{"emdash", Kw::Char, u'\u2014'},
    Keyword{"emfblip", Kw::OtherBlip},
    Keyword{"emspace", Kw::Char, u'\u2003'},
    Keyword{"endash", Kw::Char, u'\u2013'},
    Keyword{"enspace", Kw::Char, u'\u2002'},
    Keyword{"f", Kw::F},
    Keyword{"falt", Kw::Skip},
    Keyword{"fcharset", Kw::FCharset},
    Keyword{"fdecor", Kw::FDecor},
    Keyword{"fi", Kw::Fi},
    Keyword{"filetbl", Kw::Skip},
    Keyword{"fldinst", Kw::Skip},
    Keyword{"fmodern", Kw::FModern},
    Keyword{"fnil", Kw::FNil},
    Keyword{"fonttbl", Kw::FontTable},
    Keyword{"footer", Kw::Skip},
    Keyword{"footerf", Kw::Skip},
    Keyword{"footerl", Kw::Skip},
    Keyword{"footerr", Kw::Skip},
    Keyword{"footnote", Kw::Skip},
    Keyword{"froman", Kw::FRoman},
    Keyword{"fs", Kw::Fs},
    Keyword{"fscript", Kw::FScript},
    Keyword{"fswiss", Kw::FSwiss},
    Keyword{"ftech", Kw::FTech},
    Keyword{"ftncn", Kw::Skip},
    Keyword{"ftnsep", Kw::Skip},
    Keyword{"ftnsepc", Kw::Skip},
    Keyword{"generator", Kw::Skip},
    Keyword{"green", Kw::Green},
    Keyword{"header", Kw::Skip},
    Keyword{"headerf", Kw::Skip},
    Keyword{"headerl", Kw::Skip},
    Keyword{"headerr", Kw::Skip},
    Keyword{"highlight", Kw::Cb},
    Keyword{"i", Kw::I},
    Keyword{"info", Kw::Skip},
    Keyword{"intbl", Kw::InTable},
    Keyword{"jpegblip", Kw::JpegBlip},
    Keyword{"keywords", Kw::Skip},
    Keyword{"latentstyles", Kw::Skip},
    Keyword{"ldblquote", Kw::Char, u'\u201C'},
    Keyword{"li", Kw::Li},
    Keyword{"lin", Kw::Li},
    Keyword{"line", Kw::Line},
    Keyword{"listoverridetable", Kw::Skip},
    Keyword{"listtable", Kw::Skip},
    Keyword{"lquote", Kw::Char, u'\u2018'},
    Keyword{"macpict", Kw::OtherBlip},
    Keyword{"mmathPr", Kw::Skip},
    Keyword{"nestcell", Kw::NestCell},
    Keyword{"nestrow", Kw::NestRow},
    Keyword{"nonshppict", Kw::Skip},
    Keyword{"nosupersub", Kw::NoSuperSub},
    Keyword{"objclass", Kw::Skip},
    Keyword{"objdata", Kw::Skip},
    Keyword{"operator", Kw::Skip},
    Keyword{"page", Kw::Par},
    Keyword{"panose", Kw::Skip},
    Keyword{"par", Kw::Par},
    Keyword{"pard", Kw::Pard},
    Keyword{"pichgoal", Kw::PicHGoal},
    Keyword{"picscalex", Kw::PicScaleX},
    Keyword{"picscaley", Kw::PicScaleY},
    Keyword{"pict", Kw::Pict},
    Keyword{"picwgoal", Kw::PicWGoal},
    Keyword{"plain", Kw::Plain},
    Keyword{"pmmetafile", Kw::OtherBlip},
    Keyword{"pn", Kw::Skip},
    Keyword{"pngblip", Kw::PngBlip},
    Keyword{"pntxta", Kw::Skip},
    Keyword{"pntxtb", Kw::Skip},
    Keyword{"printim", Kw::Skip},
    Keyword{"private", Kw::Skip},
    Keyword{"qc", Kw::Qc},
    Keyword{"qd", Kw::Qj},
    Keyword{"qj", Kw::Qj},
    Keyword{"ql", Kw::Ql},
    Keyword{"qmspace", Kw::Char, u'\u2005'},
    Keyword{"qr", Kw::Qr},
    Keyword{"rdblquote", Kw::Char, u'\u201D'},
    Keyword{"red", Kw::Red},
    Keyword{"revtbl", Kw::Skip},
    Keyword{"revtim", Kw::Skip},
    Keyword{"ri", Kw::Ri},
    Keyword{"rin", Kw::Ri},
    Keyword{"row", Kw::Row},
    Keyword{"rquote", Kw::Char, u'\u2019'},
    Keyword{"rsidtbl", Kw::Skip},
    Keyword{"sa", Kw::Sa},
    Keyword{"sb", Kw::Sb},
    Keyword{"sect", Kw::Par},
    Keyword{"shpinst", Kw::Skip},
    Keyword{"shppict", Kw::ShpPict},
    Keyword{"strike", Kw::Strike},
    Keyword{"striked", Kw::Strike},
    Keyword{"stylesheet", Kw::Skip},
    Keyword{"sub", Kw::Sub},
    Keyword{"subject", Kw::Skip},
    Keyword{"super", Kw::Super},
    Keyword{"tab", Kw::Tab},
    Keyword{"tc", Kw::Skip},
    Keyword{"template", Kw::Skip},
    Keyword{"themedata", Kw::Skip},
    Keyword{"title", Kw::Skip},
    Keyword{"trowd", Kw::Trowd},
    Keyword{"txe", Kw::Skip},
    Keyword{"u", Kw::U},
    Keyword{"uc", Kw::Uc},
    Keyword{"ul", Kw::Ul},
    Keyword{"uld", Kw::Ul},
    Keyword{"uldash", Kw::Ul},
    Keyword{"uldashd", Kw::Ul},
    Keyword{"uldashdd", Kw::Ul},
    Keyword{"uldb", Kw::Ul},
    Keyword{"ulhwave", Kw::Ul},
    Keyword{"ulldash", Kw::Ul},
    Keyword{"ulnone", Kw::UlNone},
    Keyword{"ulth", Kw::Ul},
    Keyword{"ulthd", Kw::Ul},
    Keyword{"ulthdash", Kw::Ul},
    Keyword{"ulthdashd", Kw::Ul},
    Keyword{"ulthdashdd", Kw::Ul},
    Keyword{"ulthldash", Kw::Ul},
    Keyword{"ululdbwave", Kw::Ul},
    Keyword{"ulw", Kw::Ul},
    Keyword{"ulwave", Kw::Ul},
    Keyword{"userprops", Kw::Skip},
    Keyword{"v", Kw::Hidden},
    Keyword{"wbitmap", Kw::OtherBlip},
    Keyword{"wmetafile", Kw::OtherBlip},
    Keyword{"xe", Kw::Skip},
    Keyword{"xmlnstbl", Kw::Skip},
    Keyword{"zwbo", Kw::Char, u'\u200B'},
    Keyword{"zwj", Kw::Char, u'\u200D'},
    Keyword{"zwnj", Kw::Char, u'\u200C'},
};

static_assert(std::is_sorted(Keywords.begin(), Keywords.end(),
                             [](const Keyword& a, const Keyword& b) { return a.name < b.name; }));

// Longest control word: the format allows 32 letters.
constexpr std::size_t MaxWordLength = 32;

const Keyword* findKeyword(std::string_view name)
{
    const auto it = std::lower_bound(Keywords.begin(), Keywords.end(), name,
                                     [](const Keyword& k, std::string_view n) { return k.name < n; });
    return it != Keywords.end() && it->name == name ? &*it : nullptr;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// \fcharset: Cyrillic is code page 1251, ANSI (Western) 1252; any other
// character set is read in the document's code page.
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 204:
        return 1251;
    case 0:
        return 1252;
    default:
        return 0;
    }
}

// The two code pages the reader knows; any other falls back to 1251, the
// code page of every text of the lab.
int knownCodePage(int codePage)
{
    return codePage == 1252 ? 1252 : 1251;
}

// Twips (1/1440 inch) to pixels at 96 dots per inch, kept in a sane range.
qreal twipsToPixels(int twips, int low, int high)
{
    return std::clamp(twips / 15.0, qreal(low), qreal(high));
}

// A character the document may hold: control characters are not text, and
// the characters that the document uses for its own structure (frame
// marks, the object replacement character, block separators) must not
// come from the file.
char16_t textCharacter(char16_t c)
{
    if (c < 0x20)
        return c == u'\t' ? c : 0;
    if (c == 0x2029)
        return 0x2028;
    if ((c >= 0xFDD0 && c <= 0xFDEF) || c == 0xFFFC || c == 0xFFFE || c == 0xFFFF)
        return 0xFFFD;
    return c;
}

// Font names of the old Cyrillic fonts carry the suffix " Cyr"; the family
// is the same typeface.
QString familyName(QString name)
{
    name = name.trimmed();
    if (name.endsWith(QLatin1String(" Cyr"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

constexpr int MaxFontNameLength = 256;
// Removing spare rows costs more than in proportion to their cells.
constexpr int MaxSpareCells = 256;
constexpr int MaxLengthPixels = 2000;
constexpr int MaxPicturePixelsWide = 4000;

} // namespace

RtfReader::RtfReader(QTextDocument& document)
    : Document(document)
    , Cursor(&document)
{
    Stack.reserve(MaxDepth);
}

void RtfReader::read(const QByteArray& rtf, QTextDocument& document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();

    qsizetype start = 0;
    while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\t' || rtf[start] == '\r' || rtf[start] == '\n'))
        ++start;
    // One edit block for the whole reading: the document lays itself out
    // once at its end instead of after every insertion.
    QTextCursor edit(&document);
    edit.beginEditBlock();
    if (QByteArrayView(rtf).sliced(start).startsWith("{\\rtf")) {
        RtfReader reader(document);
        reader.parse(QByteArrayView(rtf).sliced(start));
    } else {
        readPlainText(rtf, document);
    }
    edit.endEditBlock();

    document.setUndoRedoEnabled(undo);
}

void RtfReader::readPlainText(const QByteArray& text, QTextDocument& document)
{
    const QString decoded = Cp1251::decode(text);
    QString plain;
    plain.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const char16_t c = decoded[i].unicode();
        if (c == u'\r') {
            if (i + 1 < decoded.size() && decoded[i + 1] == u'\n')
                ++i;
            plain.append(u'\n');
        } else if (c == u'\n') {
            plain.append(u'\n');
        } else if (const char16_t t = textCharacter(c)) {
            plain.append(QChar(t));
        }
    }
    QTextCursor(&document).insertText(plain);
}

// ---------------------------------------------------------------- tokens

void RtfReader::parse(QByteArrayView rtf)
{
    const char* p = rtf.constData();
    const char* const end = p + rtf.size();
    while (p < end) {
        const char c = *p;
        if (c == '{') {
            ++p;
            FallbackSkip = 0;
            StarPending = false;
            openGroup();
        } else if (c == '}') {
            ++p;
            FallbackSkip = 0;
            StarPending = false;
            if (closeGroup())
                return; // the document's own group has ended
        } else if (c == '\\') {
            p = escape(p + 1, end);
        } else if (c == '\r' || c == '\n') {
            ++p;
        } else {
            const char* q = p + 1;
            while (q < end && *q != '{' && *q != '}' && *q != '\\' && *q != '\r' && *q != '\n')
                ++q;
            textBytes(p, q);
            p = q;
        }
    }
    // The data ended inside the document: keep what was read, leave out a
    // picture whose data was cut off.
    if (!Stack.empty())
        finishDocument();
}

// p stands after a backslash.
const char* RtfReader::escape(const char* p, const char* end)
{
    if (p == end)
        return p;
    const char c = *p;
    if (isLetter(c)) {
        const char* const start = p;
        while (p < end && isLetter(*p))
            ++p;
        const std::string_view name(start, std::size_t(p - start));
        bool hasParam = false;
        bool negative = false;
        qint64 value = 0;
        if (p + 1 < end && *p == '-' && isDigit(p[1])) {
            negative = true;
            ++p;
        }
        while (p < end && isDigit(*p)) {
            hasParam = true;
            if (value <= INT_MAX) // a longer number saturates
                value = value * 10 + (*p - '0');
            ++p;
        }
        if (p < end && *p == ' ')
            ++p;
        const int param = int(std::clamp<qint64>(negative ? -value : value, INT_MIN, INT_MAX));
        if (name == "bin")
            return binary(p, end, hasParam ? param : 0);
        if (consumeFallback())
            return p;
        word(name.size() <= MaxWordLength ? name : std::string_view(), hasParam, param);
        return p;
    }
    if (c == '\'') {
        ++p;
        int value = 0;
        int digits = 0;
        while (digits < 2 && p < end && hexValue(*p) >= 0) {
            value = value * 16 + hexValue(*p);
            ++p;
            ++digits;
        }
        if (digits < 2) // a cut-off escape stands for nothing
            return p;
        if (!consumeFallback())
            escapedByte(static_cast<unsigned char>(value));
        return p;
    }
    ++p;
    if (!consumeFallback())
        symbol(c);
    return p;
}

// \binN: N bytes of raw data follow; only a picture keeps them.
const char* RtfReader::binary(const char* p, const char* end, int count)
{
    const qsizetype n = std::min<qsizetype>(std::max(count, 0), end - p);
    if (!consumeFallback() && !skipping() && top().destination == Destination::Picture && !PictTooLarge) {
        if (PictData.size() + n > MaxPictureBytes)
            PictTooLarge = true;
        else
            PictData.append(p, n);
    }
    return p + n;
}

// After \uN the reader skips the next \uc "characters": a byte of text, an
// escape, a control word or symbol each count one; a brace ends the skip.
bool RtfReader::consumeFallback()
{
    if (FallbackSkip <= 0)
        return false;
    --FallbackSkip;
    return true;
}

bool RtfReader::skipping() const
{
    return Overflow > 0 || Stack.empty() || Stack.back().destination == Destination::Skipped;
}

void RtfReader::textBytes(const char* p, const char* end)
{
    if (skipping())
        return;
    if (FallbackSkip > 0) {
        const qsizetype n = std::min<qsizetype>(FallbackSkip, end - p);
        p += n;
        FallbackSkip -= int(n);
    }
    switch (top().destination) {
    case Destination::Text:
        putBytes(p, end);
        break;
    case Destination::FontTable:
        for (; p < end; ++p) {
            if (*p == ';')
                commitFont();
            else if (Entry.family.size() < MaxFontNameLength)
                Entry.family += decode(static_cast<unsigned char>(*p), Entry.codePage);
        }
        break;
    case Destination::ColourTable:
        for (; p < end; ++p)
            if (*p == ';')
                commitColour();
        break;
    case Destination::Picture:
        pictureHex(p, end);
        break;
    case Destination::Skipped:
        break;
    }
}

void RtfReader::escapedByte(unsigned char byte)
{
    if (skipping())
        return;
    switch (top().destination) {
    case Destination::Text:
        put(decode(byte, codePageOf(top().chars)));
        break;
    case Destination::FontTable:
        if (Entry.family.size() < MaxFontNameLength)
            Entry.family += decode(byte, Entry.codePage);
        break;
    default:
        break;
    }
}

void RtfReader::symbol(char c)
{
    if (skipping())
        return;
    if (c == '*') {
        StarPending = true;
        return;
    }
    Group& g = top();
    char16_t ch = 0;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        ch = char16_t(c);
        break;
    case '~':
        ch = 0x00A0; // non-breaking space
        break;
    case '-':
        ch = 0x00AD; // optional hyphen
        break;
    case '_':
        ch = 0x2011; // non-breaking hyphen
        break;
    case '\t':
        ch = u'\t';
        break;
    case '\r':
    case '\n':
        if (g.destination == Destination::Text)
            endParagraph();
        return;
    default:
        return;
    }
    if (g.destination == Destination::Text)
        put(QChar(ch));
    else if (g.destination == Destination::FontTable && Entry.family.size() < MaxFontNameLength)
        Entry.family += QChar(ch);
}

void RtfReader::unicode(int param)
{
    Group& g = top();
    FallbackSkip = g.unicodeSkip;
    if (param < -32768 || param > 65535)
        return;
    const QChar c(char16_t(param < 0 ? param + 65536 : param));
    if (g.destination == Destination::Text)
        put(c);
    else if (g.destination == Destination::FontTable && Entry.family.size() < MaxFontNameLength)
        Entry.family += c;
}

void RtfReader::word(std::string_view name, bool hasParam, int param)
{
    if (skipping())
        return;
    const Keyword* k = findKeyword(name);
    Group& g = top();
    if (StarPending) {
        // \* marks a destination that a reader may skip; only a picture
        // wrapper is worth reading.
        StarPending = false;
        if (!k || k->kw != Kw::ShpPict) {
            g.destination = Destination::Skipped;
            return;
        }
    }
    if (!k)
        return;
    const bool on = !hasParam || param != 0;

    // Words that mean the same in every destination.
    switch (k->kw) {
    case Kw::Skip:
        g.destination = Destination::Skipped;
        return;
    case Kw::Uc:
        g.unicodeSkip = std::clamp(hasParam ? param : 1, 0, 16);
        return;
    case Kw::U:
        unicode(param);
        return;
    default:
        break;
    }

    if (g.destination == Destination::FontTable) {
        switch (k->kw) {
        case Kw::F:
            if (EntryNumber >= 0 && !Entry.family.trimmed().isEmpty())
                commitFont();
            EntryNumber = param;
            break;
        case Kw::FCharset:
            if (const int cp = codePageOfCharset(param))
                Entry.codePage = cp;
            break;
        case Kw::Cpg:
            if (param == 1251 || param == 1252)
                Entry.codePage = param;
            break;
        case Kw::FNil:
            Entry.hint = QFont::AnyStyle;
            break;
        case Kw::FRoman:
            Entry.hint = QFont::Serif;
            break;
        case Kw::FSwiss:
            Entry.hint = QFont::SansSerif;
            break;
        case Kw::FModern:
            Entry.hint = QFont::Monospace;
            break;
        case Kw::FScript:
            Entry.hint = QFont::Cursive;
            break;
        case Kw::FDecor:
            Entry.hint = QFont::Decorative;
            break;
        case Kw::FTech:
            Entry.hint = QFont::AnyStyle;
            break;
        default:
            break;
        }
        return;
    }

    if (g.destination == Destination::ColourTable) {
        switch (k->kw) {
        case Kw::Red:
            Red = std::clamp(param, 0, 255);
            ColourGiven = true;
            break;
        case Kw::Green:
            Green = std::clamp(param, 0, 255);
            ColourGiven = true;
            break;
        case Kw::Blue:
            Blue = std::clamp(param, 0, 255);
            ColourGiven = true;
            break;
        default:
            break;
        }
        return;
    }

    if (g.destination == Destination::Picture) {
        switch (k->kw) {
        case Kw::PngBlip:
            PictKind = PictureKind::Png;
            break;
        case Kw::JpegBlip:
            PictKind = PictureKind::Jpeg;
            break;
        case Kw::OtherBlip:
            PictKind = PictureKind::Other;
            break;
        case Kw::PicWGoal:
            PictGoalWidth = param;
            break;
        case Kw::PicHGoal:
            PictGoalHeight = param;
            break;
        case Kw::PicScaleX:
            PictScaleX = hasParam ? param : 100;
            break;
        case Kw::PicScaleY:
            PictScaleY = hasParam ? param : 100;
            break;
        default:
            break;
        }
        return;
    }

    // The document's text.
    CharState& ch = g.chars;
    ParaState& pa = g.para;
    switch (k->kw) {
    case Kw::AnsiCpg:
        CodePage = knownCodePage(param);
        break;
    case Kw::Deff:
        DefaultFont = param;
        break;
    case Kw::FontTable:
        g.destination = Destination::FontTable;
        EntryNumber = -1;
        Entry = Font();
        break;
    case Kw::ColourTable:
        g.destination = Destination::ColourTable;
        Colours.clear();
        Red = Green = Blue = 0;
        ColourGiven = false;
        break;
    case Kw::Pict:
        g.destination = Destination::Picture;
        g.startsPicture = true;
        PictKind = PictureKind::None;
        PictData.clear();
        PictNibble = -1;
        PictTooLarge = false;
        PictGoalWidth = PictGoalHeight = 0;
        PictScaleX = PictScaleY = 100;
        break;
    case Kw::F:
        ch.font = param;
        break;
    case Kw::Plain:
        ch = CharState();
        break;
    case Kw::B:
        ch.bold = on;
        break;
    case Kw::I:
        ch.italic = on;
        break;
    case Kw::Ul:
        ch.underline = on;
        break;
    case Kw::UlNone:
        ch.underline = false;
        break;
    case Kw::Strike:
        ch.strike = on;
        break;
    case Kw::Hidden:
        ch.hidden = on;
        break;
    case Kw::Fs:
        ch.halfPoints = hasParam ? std::clamp(param, MinHalfPoints, MaxHalfPoints) : 24;
        break;
    case Kw::Cf:
        ch.foreground = std::max(param, 0);
        break;
    case Kw::Cb:
        ch.background = std::max(param, 0);
        break;
    case Kw::Super:
        ch.script = on ? Script::Super : Script::Normal;
        break;
    case Kw::Sub:
        ch.script = on ? Script::Sub : Script::Normal;
        break;
    case Kw::NoSuperSub:
        ch.script = Script::Normal;
        break;
    case Kw::Pard:
        pa = ParaState();
        break;
    case Kw::Par:
        endParagraph();
        break;
    case Kw::Line:
        put(QChar::LineSeparator);
        break;
    case Kw::Tab:
        put(QChar(u'\t'));
        break;
    case Kw::Char:
        put(QChar(k->ch));
        break;
    case Kw::Ql:
        pa.align = Align::Left;
        break;
    case Kw::Qr:
        pa.align = Align::Right;
        break;
    case Kw::Qc:
        pa.align = Align::Centre;
        break;
    case Kw::Qj:
        pa.align = Align::Justify;
        break;
    case Kw::Li:
        pa.leftIndent = param;
        break;
    case Kw::Ri:
        pa.rightIndent = param;
        break;
    case Kw::Fi:
        pa.firstIndent = param;
        break;
    case Kw::Sb:
        pa.spaceBefore = param;
        break;
    case Kw::Sa:
        pa.spaceAfter = param;
        break;
    case Kw::InTable:
        pa.inTable = on;
        break;
    case Kw::Trowd:
        CellBounds.clear();
        pa.inTable = true;
        break;
    case Kw::CellX:
        if (int(CellBounds.size()) < MaxTableColumns)
            CellBounds.push_back(param);
        break;
    case Kw::Cell:
        endCell();
        break;
    case Kw::Row:
        endRow();
        break;
    case Kw::NestCell: // a table inside a cell is read as its text
        put(QChar(u'\t'));
        break;
    case Kw::NestRow:
        put(QChar::LineSeparator);
        break;
    default:
        break;
    }
}

void RtfReader::openGroup()
{
    if (Overflow > 0 || int(Stack.size()) >= MaxDepth) {
        ++Overflow;
        return;
    }
    if (Stack.empty()) {
        Stack.emplace_back();
        return;
    }
    Group g = Stack.back();
    g.startsPicture = false;
    Stack.push_back(g);
}

// Returns true when the document's outermost group has closed.
bool RtfReader::closeGroup()
{
    if (Overflow > 0) {
        --Overflow;
        return false;
    }
    if (Stack.empty())
        return false;
    const Group& g = Stack.back();
    if (g.startsPicture)
        finishPicture();
    if (g.destination == Destination::FontTable)
        commitFont();
    if (Stack.size() == 1) {
        finishDocument();
        Stack.pop_back();
        return true;
    }
    Stack.pop_back();
    return false;
}

// ---------------------------------------------------------------- tables of the header

void RtfReader::commitFont()
{
    const QString family = familyName(Entry.family);
    if (EntryNumber >= 0 && !family.isEmpty()) {
        Font font = Entry;
        font.family = family;
        Fonts.insert(EntryNumber, font);
    }
    EntryNumber = -1;
    Entry = Font();
}

void RtfReader::commitColour()
{
    Colours.append(ColourGiven ? QColor(Red, Green, Blue) : QColor());
    Red = Green = Blue = 0;
    ColourGiven = false;
}

QChar RtfReader::decode(unsigned char byte, int codePage) const
{
    if (codePage == 0)
        codePage = CodePage;
    return codePage == 1252 ? Cp1252::toUnicode(byte) : Cp1251::toUnicode(byte);
}

const RtfReader::Font* RtfReader::fontOf(const CharState& chars) const
{
    const auto it = Fonts.constFind(chars.font >= 0 ? chars.font : DefaultFont);
    return it != Fonts.constEnd() ? &*it : nullptr;
}

int RtfReader::codePageOf(const CharState& chars) const
{
    const Font* font = fontOf(chars);
    return font && font->codePage ? font->codePage : CodePage;
}

// ---------------------------------------------------------------- pictures

void RtfReader::pictureHex(const char* p, const char* end)
{
    if (PictKind != PictureKind::Png && PictKind != PictureKind::Jpeg)
        return; // the data of a picture that is not shown is not kept
    for (; p < end; ++p) {
        const int v = hexValue(*p);
        if (v < 0)
            continue;
        if (PictNibble < 0) {
            PictNibble = v;
            continue;
        }
        if (PictData.size() >= MaxPictureBytes) {
            PictTooLarge = true;
            return;
        }
        PictData.append(char(PictNibble * 16 + v));
        PictNibble = -1;
    }
}

void RtfReader::finishPicture()
{
    const bool shown = (PictKind == PictureKind::Png || PictKind == PictureKind::Jpeg) && !PictTooLarge
        && !PictData.isEmpty() && !top().chars.hidden && AllPictureBytes + PictData.size() <= MaxAllPictureBytes;
    const QByteArray data = std::exchange(PictData, QByteArray());
    // The data must begin as its kind does, so that no decoder meets data
    // that is not its own.
    const bool signature = PictKind == PictureKind::Png ? data.startsWith("\x89PNG\r\n\x1a\n")
                                                        : data.startsWith("\xFF\xD8");
    if (!shown || !signature)
        return;
    AllPictureBytes += data.size();

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    // Only the named decoder reads it, never one guessed from the data.
    QImageReader reader(&buffer, PictKind == PictureKind::Png ? "png" : "jpeg");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid())
        return;
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > MaxPicturePixels || AllPicturePixels + pixels > MaxAllPicturePixels)
        return;
    const QImage image = reader.read();
    if (image.isNull())
        return;
    AllPicturePixels += pixels;

    // Shown at the size the document asks for: the goal size in twips
    // scaled in percent, or the picture's own size.
    const qreal scaleX = std::clamp(PictScaleX, 1, 1000) / 100.0;
    const qreal scaleY = std::clamp(PictScaleY, 1, 1000) / 100.0;
    const qreal width = (PictGoalWidth > 0 ? PictGoalWidth / 15.0 : image.width()) * scaleX;
    const qreal height = (PictGoalHeight > 0 ? PictGoalHeight / 15.0 : image.height()) * scaleY;

    const QString name = QStringLiteral("rtf-picture:%1").arg(++PictureCount);
    Document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(std::clamp(width, 1.0, qreal(MaxPicturePixelsWide)));
    format.setHeight(std::clamp(height, 1.0, qreal(MaxPicturePixelsWide)));

    flushRun();
    prepareContent();
    Cursor.insertImage(format);
}

// ---------------------------------------------------------------- output

void RtfReader::put(QChar c)
{
    const char16_t t = textCharacter(c.unicode());
    if (t && beginRun())
        Run.append(QChar(t));
}

void RtfReader::putBytes(const char* p, const char* end)
{
    if (p == end || !beginRun())
        return;
    const int codePage = codePageOf(top().chars);
    for (; p < end; ++p)
        if (const char16_t t = textCharacter(decode(static_cast<unsigned char>(*p), codePage).unicode()))
            Run.append(QChar(t));
}

// Makes the run of text take the current character formatting; false for
// hidden text.
bool RtfReader::beginRun()
{
    const CharState& chars = top().chars;
    if (chars.hidden)
        return false;
    if (!Run.isEmpty() && !(RunChars == chars))
        flushRun();
    if (Run.isEmpty()) {
        prepareContent();
        RunChars = chars;
    }
    return true;
}

void RtfReader::flushRun()
{
    if (Run.isEmpty())
        return;
    // A surrogate without its partner is no character.
    for (qsizetype i = 0; i < Run.size(); ++i) {
        if (Run[i].isHighSurrogate() && i + 1 < Run.size() && Run[i + 1].isLowSurrogate())
            ++i;
        else if (Run[i].isSurrogate())
            Run[i] = QChar::ReplacementCharacter;
    }
    Cursor.insertText(Run, charFormat(RunChars));
    Run.clear();
}

// Puts the cursor where the next content goes: into the right table cell,
// out of a table that has ended, into a new paragraph after one that ended.
void RtfReader::prepareContent(bool cell)
{
    // Between a cell's end and the row's end everything is in the row.
    if (cell || RowOpen || top().para.inTable) {
        if (!RowOpen)
            openRow();
        else if (TableColumn != CursorColumn)
            moveToCell();
    } else if (Table) {
        closeTable();
    }
    if (PendingBreak) {
        Cursor.insertBlock();
        PendingBreak = false;
    }
}

void RtfReader::applyParagraph()
{
    Cursor.setBlockFormat(blockFormat(top().para));
    Cursor.setBlockCharFormat(charFormat(top().chars));
}

// \par: the paragraph takes the paragraph formatting in force at its end.
void RtfReader::endParagraph()
{
    flushRun();
    prepareContent();
    applyParagraph();
    PendingBreak = true;
}

void RtfReader::endCell()
{
    flushRun();
    prepareContent(true);
    applyParagraph();
    ++TableColumn;
}

void RtfReader::endRow()
{
    flushRun();
    if (!RowOpen)
        return;
    RowOpen = false;
    PendingBreak = false;
}

void RtfReader::openRow()
{
    const int columns = std::clamp(int(CellBounds.size()), 1, MaxTableColumns);
    if (!Table) {
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(2);
        format.setCellSpacing(0);
        if (int(CellBounds.size()) == columns) {
            QList<QTextLength> widths;
            qint64 left = 0;
            for (int bound : CellBounds) {
                // Bounds come from the file and may lie anywhere in the
                // range of int, so their difference may not fit in one.
                const qint64 width = std::clamp<qint64>(bound - left, INT_MIN, INT_MAX);
                widths.append(QTextLength(QTextLength::FixedLength, twipsToPixels(int(width), 8, MaxLengthPixels)));
                left = bound;
            }
            format.setColumnWidthConstraints(widths);
        }
        // The table itself ends the paragraph before it.
        PendingBreak = false;
        Table = Cursor.insertTable(1, columns, format);
        TableRow = 0;
    } else if (qint64(TableRow + 2) * std::max(columns, Table->columns()) > MaxTableCells) {
        closeTable();
        openRow();
        return;
    } else {
        // Adding rows makes the table rebuild its grid of cells, a pass over
        // all of them: rows are added in batches that grow with the table,
        // and the spare ones are removed when it ends.
        if (TableRow + 1 >= Table->rows())
            Table->appendRows(std::clamp(Table->rows(), 1, std::max(1, MaxSpareCells / Table->columns())));
        ++TableRow;
        ensureColumns(columns);
    }
    TableColumn = 0;
    CursorColumn = -1;
    RowOpen = true;
    moveToCell();
}

void RtfReader::ensureColumns(int count)
{
    if (count <= Table->columns())
        return;
    Table->appendColumns(count - Table->columns());
    // Added columns get no fixed width.
    QTextTableFormat format = Table->format();
    QList<QTextLength> widths = format.columnWidthConstraints();
    if (!widths.isEmpty()) {
        widths.resize(count);
        format.setColumnWidthConstraints(widths);
        Table->setFormat(format);
    }
}

void RtfReader::moveToCell()
{
    const int column = std::min(TableColumn, MaxTableColumns - 1);
    ensureColumns(column + 1);
    // Cells past the last column go on in the last cell as new paragraphs.
    const bool sameCell = CursorColumn >= 0 && column == std::min(CursorColumn, MaxTableColumns - 1);
    Cursor = Table->cellAt(TableRow, column).lastCursorPosition();
    CursorColumn = TableColumn;
    PendingBreak = sameCell;
}

void RtfReader::closeTable()
{
    trimTable();
    Cursor = Table->lastCursorPosition();
    Cursor.movePosition(QTextCursor::NextBlock);
    Table = nullptr;
    RowOpen = false;
    PendingBreak = false;
}

void RtfReader::trimTable()
{
    if (Table && TableRow + 1 < Table->rows())
        Table->removeRows(TableRow + 1, Table->rows() - TableRow - 1);
}

void RtfReader::finishDocument()
{
    flushRun();
    trimTable();
    if (!PendingBreak)
        applyParagraph();
}

QTextCharFormat RtfReader::charFormat(const CharState& chars)
{
    if (CharCacheValid && chars == CachedChars)
        return CachedCharFormat;
    QTextCharFormat f;
    f.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(chars.italic);
    f.setFontUnderline(chars.underline);
    f.setFontStrikeOut(chars.strike);
    // Half-points shown at 96 dots per inch: 2/3 of a pixel each.
    f.setProperty(QTextFormat::FontPixelSize, std::max(1, qRound(chars.halfPoints * 2 / 3.0)));
    if (const Font* font = fontOf(chars)) {
        f.setFontFamilies(QStringList{font->family});
        f.setFontStyleHint(font->hint);
    }
    if (chars.foreground > 0 && chars.foreground < Colours.size() && Colours[chars.foreground].isValid())
        f.setForeground(Colours[chars.foreground]);
    if (chars.background > 0 && chars.background < Colours.size() && Colours[chars.background].isValid())
        f.setBackground(Colours[chars.background]);
    if (chars.script == Script::Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (chars.script == Script::Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    CachedChars = chars;
    CachedCharFormat = f;
    CharCacheValid = true;
    return f;
}

QTextBlockFormat RtfReader::blockFormat(const ParaState& para)
{
    if (BlockCacheValid && para == CachedPara)
        return CachedBlockFormat;
    QTextBlockFormat f;
    switch (para.align) {
    case Align::Left:
        f.setAlignment(Qt::AlignLeft);
        break;
    case Align::Centre:
        f.setAlignment(Qt::AlignHCenter);
        break;
    case Align::Right:
        f.setAlignment(Qt::AlignRight);
        break;
    case Align::Justify:
        f.setAlignment(Qt::AlignJustify);
        break;
    }
    f.setLeftMargin(twipsToPixels(para.leftIndent, 0, MaxLengthPixels));
    f.setRightMargin(twipsToPixels(para.rightIndent, 0, MaxLengthPixels));
    f.setTextIndent(twipsToPixels(para.firstIndent, -MaxLengthPixels, MaxLengthPixels));
    f.setTopMargin(twipsToPixels(para.spaceBefore, 0, MaxLengthPixels));
    f.setBottomMargin(twipsToPixels(para.spaceAfter, 0, MaxLengthPixels));
    CachedPara = para;
    CachedBlockFormat = f;
    BlockCacheValid = true;
    return f;
}
