#include "widgets/common/BlendColor.h"

#include <cmath>

TColor BlendColor(TColor From, TColor To, int Steps, int Step)
{
    // A blend of no steps has nowhere to go: it stays at From, rather than
    // dividing by zero (controls too small for their shading ask for it).
    if (Steps == 0)
        return TColor::fromRgb(From.red(), From.green(), From.blue());
    auto channel = [&](int shift) {
        const int f = (From.value() >> shift) & 0xFF;
        const int t = (To.value() >> shift) & 0xFF;
        const double v = double(Step) * double(t - f) / double(Steps) + double(f);
        return int(std::trunc(v)) & 0xFF;
    };
    return TColor::fromRgb(channel(0), channel(8), channel(16));
}
