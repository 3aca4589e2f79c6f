#include "widgets/glEffects/glCommCl.h"

namespace {

Tgl3DColors*& shared()
{
    static Tgl3DColors* colors = nullptr;
    return colors;
}

} // namespace

Tgl3DColors* TglCommonData::Colors3D()
{
    return shared();
}

void TglCommonData::setColors3D(Tgl3DColors* colors)
{
    shared() = colors;
}

Tgl3DColors TglCommonData::bevelColors()
{
    return shared() ? *shared() : Tgl3DColors{};
}
