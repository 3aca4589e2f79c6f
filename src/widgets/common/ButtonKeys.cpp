#include "widgets/common/ButtonKeys.h"

#include <QKeyEvent>

ButtonKeys::Press ButtonKeys::press(const QKeyEvent* event, bool enabled)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return NotOurs;
    const int key = event->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)
        return NotOurs;
    if (event->isAutoRepeat() || !enabled)
        return Swallowed;
    return key == Qt::Key_Space ? SpaceDown : EnterClick;
}

bool ButtonKeys::spaceUp(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Space && !event->isAutoRepeat();
}
