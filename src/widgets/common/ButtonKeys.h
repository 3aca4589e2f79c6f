#pragma once

class QKeyEvent;

// The keys that work a button as the left mouse button does: Space pressed
// and let go, or Enter (Return) as a whole click at once. A key held with
// a modifier (the keypad's aside) is not the button's.
class ButtonKeys
{
public:
    enum Press {
        NotOurs,    // another key: the button lets it pass
        Swallowed,  // the button's key, repeated or on a disabled button: nothing happens
        SpaceDown,  // Space pressed: the button goes down until Space is let go
        EnterClick, // Enter: a press and a release inside
    };

    static Press press(const QKeyEvent* event, bool enabled);
    // Whether a key release is Space let go (not a repeat).
    static bool spaceUp(const QKeyEvent* event);
};
