#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The plan of the sliding animation that shows an outlook bar switching
// groups: the moving region, the step of each frame and the pacing. The
// picture of the region before the switch slides by one step per frame
// towards the old group's header, and the strip it uncovers is filled with
// the button face, over 21 frames (0 .. 20) paced to a frame time.
//
// Rectangles use the bar's convention (see OutlookLayout): left and top
// inside, right and bottom outside.
class SwitchAnimation
{
public:
    static constexpr int Steps = 20;
    static constexpr int Frames = Steps + 1;

    // What one frame draws: the part of the picture (in picture
    // coordinates) copied to the target point, then the strip filled with
    // the button face. An empty source draws nothing.
    struct Frame
    {
        QRect source;
        QPoint target;
        QRect strip;
    };

    // oldHeader and newHeader: the headers of the old and the new active
    // group in the new arrangement; targetRect: the new group's header in
    // the old one. barSize is the bar's outer size.
    SwitchAnimation(bool vertical, QSize barSize, int groupCount, int headerHeight,
                    const QRect& oldHeader, const QRect& newHeader, const QRect& targetRect);

    // The moving region, in window coordinates.
    QRect region() const { return FRegion; }
    // The distance the headers travel: the bar's length less all headers.
    int extent() const { return FExtent; }
    // Pixels per frame: negative moves up (or left), positive down (or
    // right); never zero.
    int step() const { return FStep; }
    // The whole animation and one frame, in milliseconds.
    int duration() const { return FDuration; }
    int frameTime() const { return FFrameTime; }

    Frame frame(int k) const;

    // To the nearest integer, ties to the even one.
    static int roundHalfEven(double value);

private:
    bool FVertical;
    QRect FRegion;
    int FExtent = 0;
    int FStep = 1;
    int FDuration = 0;
    int FFrameTime = 0;
};
