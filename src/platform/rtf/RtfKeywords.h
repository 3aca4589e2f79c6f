#pragma once

#include <string_view>

// The control words the rich-text reader acts on and what each stands
// for. A word that is not in the table is read past.
class RtfKeywords
{
public:
    enum class Kind : unsigned char {
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
        Kind kind = Kind::Skip;
        char16_t ch = 0; // the character of Kind::Char
    };

    // The keyword of a control word; nullptr for one the reader does not
    // know.
    static const Keyword* find(std::string_view name);
};
