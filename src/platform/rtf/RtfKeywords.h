#pragma once

#include <string_view>

// The control words the rich-text reader acts on and what each stands
// for. A word that is not in the table is read past.
class RtfKeywords
{
public:
    // What a word does; the keyword's value says with what.
    enum class Kind : unsigned char {
        Skip, // a destination whose content is not shown
        AnsiCpg, Deff,
        FontTable, ColourTable, Pict, ShpPict,
        F, FCharset, Cpg,
        FontHint,      // value: the QFont::StyleHint of the font's family kind
        ColourChannel, // value: the RtfHeader::Channel
        Plain, B, I, Ul, UlNone, Strike, Hidden, Fs, Cf, Cb,
        Script, // value: the RtfDocumentBuilder::Script; \nosupersub is Normal
        Pard, Par, Line, Tab,
        Align, // value: the RtfDocumentBuilder::Align
        Li, Ri, Fi, Sb, Sa,
        InTable, Trowd, CellX, Cell, Row, NestCell, NestRow,
        U, Uc,
        Char, // value: the character
        Blip, // value: the RtfPictures::Kind of the picture's data
        PicWGoal, PicHGoal, PicScaleX, PicScaleY,
    };

    struct Keyword
    {
        std::string_view name;
        Kind kind = Kind::Skip;
        int value = 0;
    };

    // The keyword of a control word; nullptr for one the reader does not
    // know.
    static const Keyword* find(std::string_view name);
};
