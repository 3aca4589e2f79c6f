#include "platform/rtf/RtfParser.h"

#include "platform/rtf/RtfReader.h"

#include <QTextDocument>

#include <algorithm>

using Kw = RtfKeywords::Kind;

RtfParser::RtfParser(QTextDocument& document)
    : Pictures(document)
    , Builder(document, Header)
{
    Stack.reserve(RtfReader::MaxDepth);
}

void RtfParser::parse(QByteArrayView rtf, QTextDocument& document)
{
    RtfParser parser(document);
    RtfTokenizer::run(rtf, parser);
}

bool RtfParser::skipping() const
{
    return Overflow > 0 || Stack.empty() || Stack.back().destination == Destination::Skipped;
}

void RtfParser::put(QChar c)
{
    Builder.put(c, top().chars, top().para);
}

// ---------------------------------------------------------------- groups

void RtfParser::openGroup()
{
    StarPending = false;
    if (Overflow > 0 || int(Stack.size()) >= RtfReader::MaxDepth) {
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

bool RtfParser::closeGroup()
{
    StarPending = false;
    if (Overflow > 0) {
        --Overflow;
        return false;
    }
    if (Stack.empty())
        return false;
    const Group& g = Stack.back();
    if (g.startsPicture) {
        if (const auto picture = Pictures.finish(g.chars.hidden))
            Builder.putPicture(*picture, g.para);
    }
    if (g.destination == Destination::FontTable)
        Header.endFont();
    if (Stack.size() == 1) {
        finishDocument();
        Stack.pop_back();
        return true;
    }
    Stack.pop_back();
    return false;
}

void RtfParser::endOfData()
{
    // The data ended inside the document: keep what was read, leave out a
    // picture whose data was cut off.
    if (!Stack.empty())
        finishDocument();
}

void RtfParser::finishDocument()
{
    Builder.finish(top().chars, top().para);
}

// ---------------------------------------------------------------- tokens

void RtfParser::text(const char* p, const char* end)
{
    if (skipping())
        return;
    switch (top().destination) {
    case Destination::Text:
        Builder.putBytes(p, end, top().chars, top().para);
        break;
    case Destination::FontTable:
        Header.fontNameBytes(p, end);
        break;
    case Destination::ColourTable:
        Header.colourBytes(p, end);
        break;
    case Destination::Picture:
        Pictures.hex(p, end);
        break;
    case Destination::Skipped:
        break;
    }
}

// \binN: only a picture keeps the data.
void RtfParser::binary(const char* p, std::size_t count)
{
    if (!skipping() && top().destination == Destination::Picture)
        Pictures.binary(p, count);
}

void RtfParser::escapedByte(unsigned char byte)
{
    if (skipping())
        return;
    switch (top().destination) {
    case Destination::Text:
        put(Header.decode(byte, Header.codePageOf(top().chars.font)));
        break;
    case Destination::FontTable:
        Header.fontNameByte(byte);
        break;
    default:
        break;
    }
}

void RtfParser::symbol(char c)
{
    if (skipping())
        return;
    if (c == '*') {
        StarPending = true;
        return;
    }
    const Group& g = top();
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
            Builder.endParagraph(g.chars, g.para);
        return;
    default:
        return;
    }
    if (g.destination == Destination::Text)
        put(QChar(ch));
    else if (g.destination == Destination::FontTable)
        Header.fontNameChar(QChar(ch));
}

int RtfParser::word(std::string_view name, bool hasParam, int param)
{
    if (skipping())
        return 0;
    const RtfKeywords::Keyword* k = RtfKeywords::find(name);
    Group& g = top();
    if (StarPending) {
        // \* marks a destination that a reader may skip; only a picture
        // wrapper is worth reading.
        StarPending = false;
        if (!k || k->kind != Kw::ShpPict) {
            g.destination = Destination::Skipped;
            return 0;
        }
    }
    if (!k)
        return 0;

    // Words that mean the same in every destination.
    switch (k->kind) {
    case Kw::Skip:
        g.destination = Destination::Skipped;
        return 0;
    case Kw::Uc:
        g.unicodeSkip = std::clamp(hasParam ? param : 1, 0, 16);
        return 0;
    case Kw::U:
        if (param >= -32768 && param <= 65535) {
            const QChar c(char16_t(param < 0 ? param + 65536 : param));
            if (g.destination == Destination::Text)
                put(c);
            else if (g.destination == Destination::FontTable)
                Header.fontNameChar(c);
        }
        return g.unicodeSkip;
    default:
        break;
    }

    switch (g.destination) {
    case Destination::FontTable:
        fontTableWord(*k, param);
        break;
    case Destination::ColourTable:
        if (k->kind == Kw::ColourChannel)
            Header.colourChannel(RtfHeader::Channel(k->value), param);
        break;
    case Destination::Picture:
        pictureWord(*k, hasParam, param);
        break;
    default:
        textWord(*k, hasParam, param);
        break;
    }
    return 0;
}

void RtfParser::fontTableWord(const RtfKeywords::Keyword& k, int param)
{
    switch (k.kind) {
    case Kw::F:
        Header.fontNumber(param);
        break;
    case Kw::FCharset:
        Header.fontCharset(param);
        break;
    case Kw::Cpg:
        Header.fontCodePage(param);
        break;
    case Kw::FontHint:
        Header.fontHint(QFont::StyleHint(k.value));
        break;
    default:
        break;
    }
}

void RtfParser::pictureWord(const RtfKeywords::Keyword& k, bool hasParam, int param)
{
    switch (k.kind) {
    case Kw::Blip:
        Pictures.setKind(RtfPictures::Kind(k.value));
        break;
    case Kw::PicWGoal:
        Pictures.setGoalWidth(param);
        break;
    case Kw::PicHGoal:
        Pictures.setGoalHeight(param);
        break;
    case Kw::PicScaleX:
        Pictures.setScaleX(hasParam ? param : 100);
        break;
    case Kw::PicScaleY:
        Pictures.setScaleY(hasParam ? param : 100);
        break;
    default:
        break;
    }
}

// A word in the document's text.
void RtfParser::textWord(const RtfKeywords::Keyword& k, bool hasParam, int param)
{
    using Script = RtfDocumentBuilder::Script;
    using Align = RtfDocumentBuilder::Align;
    Group& g = top();
    RtfDocumentBuilder::Chars& ch = g.chars;
    RtfDocumentBuilder::Paragraph& pa = g.para;
    const bool on = !hasParam || param != 0;
    switch (k.kind) {
    case Kw::AnsiCpg:
        Header.setCodePage(param);
        break;
    case Kw::Deff:
        Header.setDefaultFont(param);
        break;
    case Kw::FontTable:
        g.destination = Destination::FontTable;
        Header.beginFontTable();
        break;
    case Kw::ColourTable:
        g.destination = Destination::ColourTable;
        Header.beginColourTable();
        break;
    case Kw::Pict:
        g.destination = Destination::Picture;
        g.startsPicture = true;
        Pictures.begin();
        break;
    case Kw::F:
        ch.font = param;
        break;
    case Kw::Plain:
        ch = RtfDocumentBuilder::Chars();
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
        ch.halfPoints = hasParam ? std::clamp(param, RtfReader::MinHalfPoints, RtfReader::MaxHalfPoints) : 24;
        break;
    case Kw::Cf:
        ch.foreground = std::max(param, 0);
        break;
    case Kw::Cb:
        ch.background = std::max(param, 0);
        break;
    case Kw::Script:
        ch.script = on ? Script(k.value) : Script::Normal;
        break;
    case Kw::Pard:
        pa = RtfDocumentBuilder::Paragraph();
        break;
    case Kw::Par:
        Builder.endParagraph(ch, pa);
        break;
    case Kw::Line:
    case Kw::NestRow:
        put(QChar::LineSeparator);
        break;
    case Kw::Tab:
    case Kw::NestCell: // a table inside a cell is read as its text
        put(QChar(u'\t'));
        break;
    case Kw::Char:
        put(QChar(char16_t(k.value)));
        break;
    case Kw::Align:
        pa.align = Align(k.value);
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
        Builder.clearCellBounds();
        pa.inTable = true;
        break;
    case Kw::CellX:
        Builder.addCellBound(param);
        break;
    case Kw::Cell:
        Builder.endCell(ch, pa);
        break;
    case Kw::Row:
        Builder.endRow();
        break;
    default:
        break;
    }
}
