#pragma once

class QWidget;

// The button-pressed notification of grouped controls: when a member of a
// group goes down, its parent passes the group index and the sender to
// every one of its child controls; a receiver of the same group that is not
// the sender releases itself. Glyph check boxes and colour buttons share it,
// so members of both kinds with one index under one parent release each
// other.
class ButtonGroupNotice
{
public:
    virtual ~ButtonGroupNotice() = default;

    // Called on every sibling of the sender (the sender included).
    virtual void buttonPressed(int groupIndex, QWidget* sender) = 0;

    // Sends the notification from `sender` to its siblings; nothing when the
    // group index is 0 or the sender has no parent.
    static void broadcast(QWidget* sender, int groupIndex);
};
