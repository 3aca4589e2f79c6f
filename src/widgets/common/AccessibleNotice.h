#pragma once

#include <functional>

class QAccessibleEvent;

// How the controls tell assistive technology (a screen reader) of a change:
// a reading, a state or a name. The event goes to Qt's accessibility, which
// hands it on only while an assistive technology listens; a listener set
// here hears every event besides, so that the window's own checks can see
// what a screen reader would be told without one running.
class AccessibleNotice
{
public:
    using Listener = std::function<void(const QAccessibleEvent&)>;

    static void send(QAccessibleEvent& event);
    // One listener at a time; an empty one stops listening.
    static void setListener(Listener listener);
};
