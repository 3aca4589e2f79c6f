#pragma once

// The plain types of the bitmap effects: rectangles given by their four
// edges, and the one-byte codes of bevel styles, sides, bitmap styles,
// scale modes and corners.

// A rectangle as four edges. Whether Right and Bottom name the last pixel
// column and row or the first one past the rectangle is said by each
// routine that takes one.
struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

// Bevel styles of a bevelled box.
enum TglBevelStyle : unsigned char {
    bvsNone = 0,
    bvsLowered = 1,
    bvsRaised = 2,
    bvsFrame = 3,
};

// Sides of a bevelled box, one bit each.
enum TglSide : unsigned char {
    sdLeft = 1,
    sdTop = 2,
    sdRight = 4,
    sdBottom = 8,
    sdAll = 15,
};

// How a bitmap is drawn: as it is, engraved as disabled, or with its white
// and mid grey turned into the button highlight and shadow colours.
enum TglBitmapStyle : unsigned char {
    bmsPlain = 0,
    bmsDisabled = 1,
    bmsSystemColors = 2,
};

// How a bitmap is fitted to its destination.
enum TglScaleMode : unsigned char {
    smNone = 0,
    smStretch = 1,
    smFit = 2,
    smTile = 3,
};

// A corner of a bitmap; any value above crTopRight reads the bottom-right.
enum TglCorner : unsigned char {
    crNone = 0,
    crTopLeft = 1,
    crBottomLeft = 2,
    crTopRight = 3,
    crBottomRight = 4,
};
