#include "widgets/dxfOutlookBar/OutlookHeaderAccessible.h"

#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"
#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"

#include <QTimer>

OutlookHeaderAccessible::OutlookHeaderAccessible(TdxfOutlookBar* bar, TdxfOutlookGroup* group)
    : FBar(bar)
    , FGroup(group)
{
}

bool OutlookHeaderAccessible::isValid() const
{
    return FBar && FGroup && FGroup->Bar() == FBar;
}

QWindow* OutlookHeaderAccessible::window() const
{
    QAccessibleInterface* bar = parent();
    return bar ? bar->window() : nullptr;
}

QAccessibleInterface* OutlookHeaderAccessible::parent() const
{
    return FBar ? QAccessible::queryAccessibleInterface(FBar.data()) : nullptr;
}

QString OutlookHeaderAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && isValid())
        return FGroup->Caption();
    return QString();
}

QRect OutlookHeaderAccessible::rect() const
{
    if (!isValid())
        return QRect();
    const QRect header = FBar->HeaderRect(FGroup);
    return QRect(FBar->mapToGlobal(header.topLeft()), header.size());
}

QAccessible::State OutlookHeaderAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = FBar->ActiveGroup() == FGroup;
    s.focused = s.selected && FBar->hasFocus();
    s.invisible = !FBar->isVisible();
    s.disabled = !FBar->isEnabled();
    return s;
}

void* OutlookHeaderAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList OutlookHeaderAccessible::actionNames() const
{
    return {pressAction(), setFocusAction()};
}

void OutlookHeaderAccessible::doAction(const QString& actionName)
{
    if (!isValid() || !FBar->isEnabled())
        return;
    if (actionName == setFocusAction())
        FBar->setFocus(Qt::OtherFocusReason);
    // The switch animates for a fifth of a second: after the call returns.
    if (actionName == pressAction() || actionName == setFocusAction())
        QTimer::singleShot(0, FBar, [bar = FBar, group = FGroup] {
            if (bar && group)
                bar->setActiveGroup(group);
        });
}

QStringList OutlookHeaderAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction())
        return {QStringLiteral("Up"), QStringLiteral("Down")};
    return {};
}
