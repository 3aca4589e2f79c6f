#pragma once

// What every fuzz target sets up once before its first input: the
// offscreen GUI application that fonts and pictures need, and a C locale
// for messages, so that runs do not depend on the desktop they start from.
class FuzzEnvironment
{
public:
    static void start(int* argc, char*** argv);
};
