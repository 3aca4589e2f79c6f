#pragma once

#include <functional>

class Dialogs;

// The default error report at the boundary between the window's events and
// the handlers: a handler that fails throws; its error text is shown in the
// error box and the program goes on from the state the handler reached.
// No exception crosses the event loop.
class ErrorReport
{
public:
    // Runs the handler; returns false when it failed (and was reported).
    static bool run(Dialogs& dialogs, const std::function<void()>& handler);
};
