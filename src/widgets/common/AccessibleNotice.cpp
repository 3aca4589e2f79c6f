#include "widgets/common/AccessibleNotice.h"

#include <QAccessible>

namespace {

AccessibleNotice::Listener& listener()
{
    static AccessibleNotice::Listener current;
    return current;
}

} // namespace

void AccessibleNotice::send(QAccessibleEvent& event)
{
    QAccessible::updateAccessibility(&event);
    if (listener())
        listener()(event);
}

void AccessibleNotice::setListener(Listener value)
{
    listener() = std::move(value);
}
