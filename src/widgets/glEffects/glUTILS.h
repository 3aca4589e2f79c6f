#pragma once

#include "platform/TColor.h"
#include "widgets/glEffects/glTypes.h"

#include <QImage>

class QPainter;

// The drawing routines of the bitmap effects. They hold no state; the
// "device context" is a painter on a widget or an image, bitmaps are
// images.

// Draws a bevelled box on Rect, whose Right and Bottom name its last pixel
// column and row: the outer bevel on the sides in the Sides mask, the
// inner bevel inside it, then, unless NoFill, fills what is left inside
// (right and bottom included) with FillColor. Out receives that inside
// area. The lines take the style and width of the painter's pen (a width
// of 0 counts as 1) and the bevel colours of TglCommonData. With
// DoubleLine, a lowered bevel doubles its left and top sides and a raised
// one its right and bottom sides, dark shadow outside, shadow inside.
void Draw3DBox(QPainter& DC, const TRect& Rect, int Sides, TglBevelStyle InnerBevel,
               TglBevelStyle OuterBevel, bool DoubleLine, TColor FillColor, bool NoFill,
               TRect& Out);
void Draw3DBox(QPainter& DC, const TRect& Rect, int Sides, TglBevelStyle InnerBevel,
               TglBevelStyle OuterBevel, bool DoubleLine, TColor FillColor, bool NoFill);

// Draws Bitmap at (Dest.Left + XOffset, Dest.Top + YOffset). Dest's Right
// and Bottom are the first column and row past it; they bound the tiles
// and give the size for stretching and fitting. With Transparent, pixels
// of TransparentColor leave the destination as it was. The disabled style
// engraves the bitmap's shape (every pixel that is neither white nor the
// transparent colour, plus every pixel of DisabledShapeColor when that is
// not 0) in the button highlight and shadow colours on the button face,
// and the button face becomes the transparent colour. Nothing is drawn for
// an empty bitmap.
void DrawBitmapEx(QPainter& DC, const QImage& Bitmap, const TRect& Dest, int XOffset,
                  int YOffset, TglScaleMode ScaleMode, TglBitmapStyle Style, bool Transparent,
                  TColor TransparentColor, TColor DisabledShapeColor);

// Repaints every pixel of FromColor in ToColor; other pixels and the alpha
// channel stay. System colours are taken at their current RGB value.
void ReplaceColor(QImage& Bitmap, TColor FromColor, TColor ToColor);

// The colour with Amount added to each of red, green and blue, each capped
// at 255; a system colour is first turned into its current RGB value.
TColor LightenColor(TColor Color, int Amount);

// Bits per pixel of the screen (32 when there is no screen).
int ScreenColorDepth();

// The nearest of the twenty solid colours that a 256-colour screen always
// shows; the colour that such a screen draws for Color.
TColor NearestSolidColor(TColor Color);

// The colour of a corner pixel; 0 for crNone and for an empty bitmap.
TColor CornerPixel(const QImage& Bitmap, TglCorner Corner);

// A copy of Image as ARGB in which the pixels of TransparentColor are fully
// transparent: what drawing with that transparent colour leaves visible.
QImage TransparentImage(const QImage& Image, TColor TransparentColor);
