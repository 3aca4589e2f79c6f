#pragma once

#include "widgets/glLabel/TglCustomLabel.h"

class QPainter;

// A hover text: a caption, fully justified by default, whose colour turns
// to ActiveColor while the pointer is over it, or while the watched focus
// control has the keyboard focus (ftoActiveWhileControlFocused). The text
// is anti-aliased, so a colour change redraws the background under the
// text at once before the text, and the old colour leaves no fringe; with
// ftoUnderlinedActive the control is repainted in the next paint on
// leaving instead.
//
// In the justified mode with word wrap the height follows the lines on
// every paint when AutoSize is on; in the other modes AutoSize fits the
// size when it is switched on.
class TglStaticText : public TglCustomLabel
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    Q_PROPERTY(TColor ActiveColor READ ActiveColor WRITE setActiveColor)
    Q_PROPERTY(TglAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(TglStTextOptions Options READ Options WRITE setOptions)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)

public:
    enum TglAlignment { ftaLeftJustify, ftaRightJustify, ftaCenter, ftaBroadwise };
    Q_ENUM(TglAlignment)
    enum TglStTextOptions_ {
        ftoActiveWhileControlFocused = 0x1,
        ftoBroadwiseLastLine = 0x2,
        ftoIgnoreMouse = 0x4,
        ftoUnderlinedActive = 0x8,
    };
    Q_DECLARE_FLAGS(TglStTextOptions, TglStTextOptions_)
    Q_FLAG(TglStTextOptions)

    explicit TglStaticText(QWidget* parent = nullptr);

    // The control's own colour, kept for the stored form; the text is
    // never drawn on a background of it.
    TColor Color() const { return FColor; }
    void setColor(TColor colour) { FColor = colour; }

    TColor ActiveColor() const { return FActiveColor; }
    void setActiveColor(TColor colour);
    TglAlignment Alignment() const { return FAlignment; }
    void setAlignment(TglAlignment alignment);
    TglStTextOptions Options() const { return FOptions; }
    // Also enables or disables watching a focus control set later.
    void setOptions(TglStTextOptions options);
    bool WordWrap() const { return FWordWrap; }
    void setWordWrap(bool value);

protected:
    void ActivateLook() override;
    void DeactivateLook() override;
    bool wordWrapped() const override { return FWordWrap; }
    bool keepsRightEdge() const override { return FAlignment == ftaRightJustify; }

    void paintEvent(QPaintEvent* event) override;
    // Draws the caption fully justified and, with AutoSize, fits the
    // height to its lines.
    void PaintBroadwise(QPainter& canvas);

private:
    // Draws the control at once, the background beneath first.
    void paintOver();

    TColor FColor = clBtnFace;
    TColor FActiveColor = clWhite;
    TglAlignment FAlignment = ftaBroadwise;
    TglStTextOptions FOptions = ftoActiveWhileControlFocused;
    bool FWordWrap = true;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TglStaticText::TglStTextOptions)
