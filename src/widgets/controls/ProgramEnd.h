#pragma once

// Ends the program at once: the message loop stops after the handler that
// asked for it returns. Tests record the request instead.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram() = 0;
};
