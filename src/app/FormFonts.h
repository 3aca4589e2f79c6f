#pragma once

class QWidget;

// Fonts of the stored form. Every font of the window is "MS Sans Serif",
// which the machine replaces by an installed font with Cyrillic and similar
// metrics; heights are character heights in pixels, stored on a control as
// its "FontHeight" property and applied here after the form is built. A
// control whose caption must fit a stored width in the substituted font
// carries "LetterSpacing", the percentage of the font's own spacing.
class FormFonts
{
public:
    static void installSubstitutions();
    // Gives every widget under root that carries "FontHeight" that pixel
    // height and every one with "LetterSpacing" that spacing, keeping the
    // rest of its font.
    static void apply(QWidget* root);
};
