#include "widgets/dxfTimer/TimerAccessible.h"

#include "widgets/dxfTimer/TdxfTimer.h"
#include "widgets/common/AccessibleFactory.h"

TimerAccessible::TimerAccessible(TdxfTimer* timer)
    : QAccessibleWidget(timer, QAccessible::StaticText)
{
}

void TimerAccessible::install()
{
    AccessibleFactory::install<TdxfTimer, TimerAccessible>();
}

QString TimerAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value || t == QAccessible::Description)
        return static_cast<TdxfTimer*>(widget())->GetDisplayText();
    return QAccessibleWidget::text(t);
}
