#pragma once

#include "widgets/controls/ProgramEnd.h"

// Counts the requests to end the program.
class FakeProgramEnd : public ProgramEnd
{
public:
    void endProgram() override { ++Ended; }
    int Ended = 0;
};
