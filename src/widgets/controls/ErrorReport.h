#pragma once

#include <functional>

class Dialogs;

// The default error report at the boundary between the window's events and
// the handlers: a handler that fails throws; its error text is shown in the
// error box and the program goes on from the state the handler reached.
// No exception crosses the event loop or a signal.
//
// Handlers run nested when one sets a control's value from code and the
// control raises its event at once. A failure in a nested handler aborts
// the handlers that are still running around it, as one failure: the
// nested boundary keeps the failure, the handler that set the value calls
// rethrowPending() right after the setter, and the outermost boundary
// shows the text once.
class ErrorReport
{
public:
    // Runs the handler; returns false when it failed.
    static bool run(Dialogs& dialogs, const std::function<void()>& handler);

    // Throws the failure of a nested handler, if there is one.
    static void rethrowPending();
};
