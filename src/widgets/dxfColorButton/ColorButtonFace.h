#pragma once

#include "platform/TColor.h"

#include <QImage>
#include <QSize>

// The face of the oval colour button, a shaded ball in the base colour.
// Up: ellipses that shrink from the full bounds toward the point at a fifth
// of the width and height, lightening from three fifths of the colour
// toward five sixths of the way to white, so the light falls from the
// upper left. Pressed: the same ball with a sunken inner disc, inset by a
// tenth, whose ellipses shrink toward the lower right. One ellipse per
// pixel of radius: costly, so the button keeps both faces.
//
// On a screen of device pixel ratio above 1 the face has that many pixels
// per point of size, its ellipses drawn at the finer pixels. (The button's
// elliptic shape, which cuts the face, stays in whole points.)
class ColorButtonFace
{
public:
    static QImage render(QSize size, TColor colour, bool pressed, qreal ratio = 1);
};
