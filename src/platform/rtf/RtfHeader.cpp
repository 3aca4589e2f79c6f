#include "platform/rtf/RtfHeader.h"

#include "platform/Cp1251.h"
#include "platform/Cp1252.h"

#include <algorithm>

namespace {

constexpr int MaxFontNameLength = 256;

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

// Font names of the old Cyrillic fonts carry the suffix " Cyr"; the family
// is the same typeface.
QString familyName(QString name)
{
    name = name.trimmed();
    if (name.endsWith(QLatin1String(" Cyr"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

} // namespace

void RtfHeader::setCodePage(int codePage)
{
    // The two code pages the reader knows; any other falls back to 1251,
    // the code page of every text of the lab.
    CodePage = codePage == 1252 ? 1252 : 1251;
}

// ---------------------------------------------------------------- fonts

void RtfHeader::beginFontTable()
{
    EntryNumber = -1;
    Entry = Font();
}

void RtfHeader::fontNumber(int number)
{
    if (EntryNumber >= 0 && !Entry.family.trimmed().isEmpty())
        commitFont();
    EntryNumber = number;
}

void RtfHeader::fontCharset(int charset)
{
    if (const int codePage = codePageOfCharset(charset))
        Entry.codePage = codePage;
}

void RtfHeader::fontCodePage(int codePage)
{
    if (codePage == 1251 || codePage == 1252)
        Entry.codePage = codePage;
}

void RtfHeader::fontNameBytes(const char* p, const char* end)
{
    for (; p < end; ++p) {
        if (*p == ';')
            commitFont();
        else
            fontNameByte(static_cast<unsigned char>(*p));
    }
}

void RtfHeader::fontNameByte(unsigned char byte)
{
    if (Entry.family.size() < MaxFontNameLength)
        Entry.family += decode(byte, Entry.codePage);
}

void RtfHeader::fontNameChar(QChar c)
{
    if (Entry.family.size() < MaxFontNameLength)
        Entry.family += c;
}

void RtfHeader::endFont()
{
    commitFont();
}

void RtfHeader::commitFont()
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

const RtfHeader::Font* RtfHeader::font(int number) const
{
    const auto it = Fonts.constFind(number >= 0 ? number : DefaultFont);
    return it != Fonts.constEnd() ? &*it : nullptr;
}

int RtfHeader::codePageOf(int number) const
{
    const Font* f = font(number);
    return f && f->codePage ? f->codePage : CodePage;
}

QChar RtfHeader::decode(unsigned char byte, int codePage) const
{
    if (codePage == 0)
        codePage = CodePage;
    return codePage == 1252 ? Cp1252::toUnicode(byte) : Cp1251::toUnicode(byte);
}

// ---------------------------------------------------------------- colours

void RtfHeader::beginColourTable()
{
    Colours.clear();
    Red = Green = Blue = 0;
    ColourGiven = false;
}

void RtfHeader::colourChannel(Channel channel, int value)
{
    value = std::clamp(value, 0, 255);
    switch (channel) {
    case Channel::Red:
        Red = value;
        break;
    case Channel::Green:
        Green = value;
        break;
    case Channel::Blue:
        Blue = value;
        break;
    }
    ColourGiven = true;
}

void RtfHeader::colourBytes(const char* p, const char* end)
{
    for (; p < end; ++p)
        if (*p == ';')
            commitColour();
}

void RtfHeader::commitColour()
{
    Colours.append(ColourGiven ? QColor(Red, Green, Blue) : QColor());
    Red = Green = Blue = 0;
    ColourGiven = false;
}

QColor RtfHeader::colour(int index) const
{
    return index > 0 && index < Colours.size() ? Colours[index] : QColor();
}
