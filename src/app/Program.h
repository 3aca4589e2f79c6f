#pragma once

#include <functional>

class TForm1;

// The program as a whole: the application object in one style, the message
// boxes, the main window and the message loop. main() runs it; the start-up
// benchmark runs the same with a hook on the shown window.
class Program
{
public:
    static int run(int argc, char** argv, const std::function<void(TForm1&)>& shown = {});
};
