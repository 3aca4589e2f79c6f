#include "widgets/dxfOutlookBar/OutlookBarAccessible.h"

#include "widgets/dxfOutlookBar/OutlookGroupAccessible.h"
#include "widgets/dxfOutlookBar/OutlookHeaderAccessible.h"
#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"
#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"
#include "widgets/common/AccessibleFactory.h"

OutlookBarAccessible::OutlookBarAccessible(TdxfOutlookBar* bar)
    : QAccessibleWidget(bar, QAccessible::PageTabList)
{
}

OutlookBarAccessible::~OutlookBarAccessible()
{
    for (const QAccessible::Id id : std::as_const(FHeaders))
        QAccessible::deleteAccessibleInterface(id);
}

void OutlookBarAccessible::install()
{
    AccessibleFactory::install<TdxfOutlookBar, OutlookBarAccessible>();
    AccessibleFactory::install<TdxfOutlookGroup, OutlookGroupAccessible>();
}

QAccessibleInterface* OutlookBarAccessible::header(TdxfOutlookGroup* group)
{
    if (!group || !group->Bar())
        return nullptr;
    auto* bar = dynamic_cast<OutlookBarAccessible*>(QAccessible::queryAccessibleInterface(group->Bar()));
    return bar ? bar->headerOf(group) : nullptr;
}

TdxfOutlookBar* OutlookBarAccessible::bar() const
{
    return static_cast<TdxfOutlookBar*>(widget());
}

QAccessibleInterface* OutlookBarAccessible::headerOf(TdxfOutlookGroup* group) const
{
    const auto known = FHeaders.constFind(group);
    if (known != FHeaders.cend()) {
        if (QAccessibleInterface* iface = QAccessible::accessibleInterface(*known); iface && iface->isValid())
            return iface;
        // The group left the bar and came back: its old header goes.
        QAccessible::deleteAccessibleInterface(*known);
        FHeaders.remove(group);
    }
    auto* made = new OutlookHeaderAccessible(bar(), group);
    FHeaders.insert(group, QAccessible::registerAccessibleInterface(made));
    return made;
}

QString OutlookBarAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && bar()->accessibleName().isEmpty())
        return bar()->ActiveGroup() ? bar()->ActiveGroup()->Caption() : QString();
    return QAccessibleWidget::text(t);
}

int OutlookBarAccessible::childCount() const
{
    return bar()->GroupCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface* OutlookBarAccessible::child(int index) const
{
    const int headers = bar()->GroupCount();
    if (index < 0)
        return nullptr;
    if (index < headers)
        return headerOf(bar()->Groups(index));
    return QAccessibleWidget::child(index - headers);
}

int OutlookBarAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const int headers = bar()->GroupCount();
    for (int i = 0; i < headers; ++i)
        if (FHeaders.contains(bar()->Groups(i))
            && QAccessible::accessibleInterface(FHeaders.value(bar()->Groups(i))) == child)
            return i;
    const int widget = QAccessibleWidget::indexOfChild(child);
    return widget < 0 ? -1 : headers + widget;
}

QAccessibleInterface* OutlookBarAccessible::focusChild() const
{
    if (bar()->hasFocus() && bar()->ActiveGroup())
        return headerOf(bar()->ActiveGroup());
    return QAccessibleWidget::focusChild();
}
