#pragma once

#include "platform/TColor.h"

// The three colours of a bevel: light, shadow and dark shadow. Built with
// the system's button highlight, button shadow and 3-D dark shadow, so a
// bevel follows the system colour scheme unless a scheme is given.
class Tgl3DColors
{
public:
    TColor Highlight = clBtnHighlight;
    TColor Shadow = clBtnShadow;
    TColor DkShadow = cl3DDkShadow;
};
