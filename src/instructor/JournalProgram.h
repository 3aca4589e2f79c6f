#pragma once

#include <functional>

class JournalWindow;

// oplab-journal as a whole: the application in one style, Qt's own dialogs
// in Russian, the command line, the window on the journal named or shown
// last, and the message loop. main() runs it; the benchmarks run the same
// with a hook on the shown window.
class JournalProgram
{
public:
    static int run(int argc, char** argv, const std::function<void(JournalWindow&)>& shown = {});
};
