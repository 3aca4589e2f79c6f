#include "widgets/dxfTimer/TimerAccessible.h"

#include "widgets/dxfTimer/TdxfTimer.h"

namespace {

QAccessibleInterface* create(const QString& className, QObject* object)
{
    if (className == QLatin1String("TdxfTimer"))
        if (auto* timer = qobject_cast<TdxfTimer*>(object))
            return new TimerAccessible(timer);
    return nullptr;
}

} // namespace

TimerAccessible::TimerAccessible(TdxfTimer* timer)
    : QAccessibleWidget(timer, QAccessible::Clock)
{
}

void TimerAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(create);
        return true;
    }();
    Q_UNUSED(installed);
}

QString TimerAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return static_cast<TdxfTimer*>(widget())->GetDisplayText();
    return QAccessibleWidget::text(t);
}
