#pragma once

#include "widgets/glEffects/gl3DCol.h"

// Objects shared by all users of the bitmap effects. The bevel colour
// scheme is optional: while none is set, bevels take the system colours.
// The scheme is not owned; whoever sets it clears it before freeing it.
class TglCommonData
{
public:
    static Tgl3DColors* Colors3D();
    static void setColors3D(Tgl3DColors* colors);

    // The scheme in use: the shared one, else the system colours.
    static Tgl3DColors bevelColors();
};
