#include "platform/rtf/RtfKeywords.h"

#include "platform/rtf/RtfDocumentBuilder.h"
#include "platform/rtf/RtfHeader.h"
#include "platform/rtf/RtfPictures.h"

#include <QFont>

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

using Keyword = RtfKeywords::Keyword;
using Kw = RtfKeywords::Kind;
using Align = RtfDocumentBuilder::Align;
using Script = RtfDocumentBuilder::Script;
using Channel = RtfHeader::Channel;
using Picture = RtfPictures::Kind;

// Destinations whose content is not shown: annotations, bookmarks,
// comments, fields' instructions, headers and footers, notes, document
// information and the tables the reader has no use for.
constexpr std::string_view Skipped[] = {
    "aftncn", "aftnsep", "aftnsepc", "annotation", "atnauthor", "atndate", "atnicn", "atnid",
    "atnparent", "atnref", "atntime", "atrfend", "atrfstart", "author", "background", "bkmkend",
    "bkmkstart", "blipuid", "buptim", "comment", "company", "creatim", "datafield", "datastore",
    "do", "doccomm", "docvar", "falt", "filetbl", "fldinst", "footer", "footerf",
    "footerl", "footerr", "footnote", "ftncn", "ftnsep", "ftnsepc", "generator", "header",
    "headerf", "headerl", "headerr", "info", "keywords", "latentstyles", "listoverridetable", "listtable",
    "mmathPr", "nonshppict", "objclass", "objdata", "operator", "panose", "pn", "pntxta",
    "pntxtb", "printim", "private", "revtbl", "revtim", "rsidtbl", "shpinst", "stylesheet",
    "subject", "tc", "template", "themedata", "title", "txe", "userprops", "xe",
    "xmlnstbl",
};

// Every kind of underline is shown as the one plain underline.
constexpr std::string_view Underlines[] = {
    "ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd",
    "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave",
};

// Picture formats the reader does not show: their data is read past.
constexpr std::string_view OtherPictures[] = {
    "dibitmap", "emfblip", "macpict", "pmmetafile", "wbitmap", "wmetafile",
};

constexpr Keyword Words[] = {
    // The document's header: code page, default font, font and colour
    // tables.
    {"ansicpg", Kw::AnsiCpg}, {"deff", Kw::Deff}, {"fonttbl", Kw::FontTable},
    {"colortbl", Kw::ColourTable}, {"f", Kw::F}, {"fcharset", Kw::FCharset}, {"cpg", Kw::Cpg},
    {"fnil", Kw::FontHint, QFont::AnyStyle}, {"froman", Kw::FontHint, QFont::Serif},
    {"fswiss", Kw::FontHint, QFont::SansSerif}, {"fmodern", Kw::FontHint, QFont::Monospace},
    {"fscript", Kw::FontHint, QFont::Cursive}, {"fdecor", Kw::FontHint, QFont::Decorative},
    {"ftech", Kw::FontHint, QFont::AnyStyle},
    {"red", Kw::ColourChannel, int(Channel::Red)}, {"green", Kw::ColourChannel, int(Channel::Green)},
    {"blue", Kw::ColourChannel, int(Channel::Blue)},
    // Character formatting.
    {"plain", Kw::Plain}, {"b", Kw::B}, {"i", Kw::I}, {"ulnone", Kw::UlNone},
    {"strike", Kw::Strike}, {"striked", Kw::Strike}, {"v", Kw::Hidden}, {"fs", Kw::Fs},
    {"cf", Kw::Cf}, {"cb", Kw::Cb}, {"chcbpat", Kw::Cb}, {"highlight", Kw::Cb},
    {"super", Kw::Script, int(Script::Super)}, {"sub", Kw::Script, int(Script::Sub)},
    {"nosupersub", Kw::Script, int(Script::Normal)},
    // Paragraphs; a column, page or section break ends a paragraph.
    {"pard", Kw::Pard}, {"par", Kw::Par}, {"column", Kw::Par}, {"page", Kw::Par}, {"sect", Kw::Par},
    {"line", Kw::Line}, {"tab", Kw::Tab}, {"ql", Kw::Align, int(Align::Left)},
    {"qr", Kw::Align, int(Align::Right)}, {"qc", Kw::Align, int(Align::Centre)},
    {"qj", Kw::Align, int(Align::Justify)}, {"qd", Kw::Align, int(Align::Justify)},
    {"li", Kw::Li}, {"lin", Kw::Li}, {"ri", Kw::Ri},
    {"rin", Kw::Ri}, {"fi", Kw::Fi}, {"sb", Kw::Sb}, {"sa", Kw::Sa},
    // Tables.
    {"intbl", Kw::InTable}, {"trowd", Kw::Trowd}, {"cellx", Kw::CellX}, {"cell", Kw::Cell},
    {"row", Kw::Row}, {"nestcell", Kw::NestCell}, {"nestrow", Kw::NestRow},
    // Unicode characters and their fallbacks.
    {"u", Kw::U}, {"uc", Kw::Uc},
    // Characters named by a word.
    {"bullet", Kw::Char, u'\u2022'}, {"emdash", Kw::Char, u'\u2014'}, {"endash", Kw::Char, u'\u2013'},
    {"emspace", Kw::Char, u'\u2003'}, {"enspace", Kw::Char, u'\u2002'}, {"qmspace", Kw::Char, u'\u2005'},
    {"lquote", Kw::Char, u'\u2018'}, {"rquote", Kw::Char, u'\u2019'},
    {"ldblquote", Kw::Char, u'\u201C'}, {"rdblquote", Kw::Char, u'\u201D'},
    {"zwbo", Kw::Char, u'\u200B'}, {"zwj", Kw::Char, u'\u200D'}, {"zwnj", Kw::Char, u'\u200C'},
    // Pictures.
    {"pict", Kw::Pict}, {"shppict", Kw::ShpPict}, {"pngblip", Kw::Blip, int(Picture::Png)},
    {"jpegblip", Kw::Blip, int(Picture::Jpeg)}, {"picwgoal", Kw::PicWGoal}, {"pichgoal", Kw::PicHGoal},
    {"picscalex", Kw::PicScaleX}, {"picscaley", Kw::PicScaleY},
};

constexpr std::size_t KeywordCount =
    std::size(Skipped) + std::size(Underlines) + std::size(OtherPictures) + std::size(Words);

// All the words in one table sorted by name, for the binary search.
constexpr std::array<Keyword, KeywordCount> sortedKeywords()
{
    std::array<Keyword, KeywordCount> all{};
    std::size_t n = 0;
    for (std::string_view name : Skipped)
        all[n++] = {name, Kw::Skip};
    for (std::string_view name : Underlines)
        all[n++] = {name, Kw::Ul};
    for (std::string_view name : OtherPictures)
        all[n++] = {name, Kw::Blip, int(Picture::Other)};
    for (const Keyword& k : Words)
        all[n++] = k;
    std::sort(all.begin(), all.end(), [](const Keyword& a, const Keyword& b) { return a.name < b.name; });
    return all;
}

constexpr std::array<Keyword, KeywordCount> Keywords = sortedKeywords();

static_assert(std::adjacent_find(Keywords.begin(), Keywords.end(), [](const Keyword& a, const Keyword& b) {
                  return a.name == b.name;
              }) == Keywords.end(),
              "a control word stands in the table once");

} // namespace

const RtfKeywords::Keyword* RtfKeywords::find(std::string_view name)
{
    const auto it = std::lower_bound(Keywords.begin(), Keywords.end(), name,
                                     [](const Keyword& k, std::string_view n) { return k.name < n; });
    return it != Keywords.end() && it->name == name ? &*it : nullptr;
}
