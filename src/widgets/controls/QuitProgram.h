#pragma once

#include "widgets/controls/ProgramEnd.h"

// Stops the application's message loop.
class QuitProgram : public ProgramEnd
{
public:
    void endProgram() override;
};
