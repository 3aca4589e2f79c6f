#pragma once

#include "platform/TColor.h"

#include <QWidget>

// A shape: a rectangle filled with its brush colour and outlined with its
// pen colour (a one-pixel pen, as the bench's background shape has).
class TShape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TColor BrushColor READ BrushColor WRITE setBrushColor)
    Q_PROPERTY(TColor PenColor READ PenColor WRITE setPenColor)

public:
    explicit TShape(QWidget* parent = nullptr);

    TColor BrushColor() const { return FBrushColor; }
    void setBrushColor(TColor colour);
    TColor PenColor() const { return FPenColor; }
    void setPenColor(TColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor FBrushColor = clWhite;
    TColor FPenColor = clBlack;
};
