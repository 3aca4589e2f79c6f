#pragma once

#include "platform/TColor.h"

#include <QRect>

class QPainter;

// The one-pixel edges of the controls' three-dimensional look: a raised
// edge has the light colour at the top left and the dark one at the bottom
// right, a sunken edge the other way round. The bottom-right colour holds
// the top-right and bottom-left corners. An empty rectangle draws nothing.
class Bevel
{
public:
    // The left column and the top row of r.
    static void topLeft(QPainter& painter, const QRect& r, TColor colour);
    // The right column and the bottom row of r.
    static void bottomRight(QPainter& painter, const QRect& r, TColor colour);
    // Both edges of r: the top left first, the bottom right over it.
    static void frame(QPainter& painter, const QRect& r, TColor topLeft, TColor bottomRight);
    // width frames one inside the other, from r inward; r shrinks by each
    // frame drawn, and the drawing stops where it becomes empty.
    static void frame(QPainter& painter, QRect& r, TColor topLeft, TColor bottomRight, int width);
};
