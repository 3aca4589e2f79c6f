#pragma once

#include "platform/TColor.h"

// Per channel (red the lowest byte, then green, then blue) the integer part
// of Step * (To - From) / Steps + From, in floating point. The low three
// bytes of each colour are used as they stand: system colours are not
// turned into RGB first. Step 0 gives From, Step == Steps gives To; with
// Steps 0 the result is From.
TColor BlendColor(TColor From, TColor To, int Steps, int Step);
