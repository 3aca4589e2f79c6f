#include "widgets/dxfOutlookBar/OutlookGroupAccessible.h"

#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"

OutlookGroupAccessible::OutlookGroupAccessible(TdxfOutlookGroup* group)
    : QAccessibleWidget(group, QAccessible::Pane)
{
}

TdxfOutlookGroup* OutlookGroupAccessible::group() const
{
    return static_cast<TdxfOutlookGroup*>(widget());
}

QString OutlookGroupAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && group()->accessibleName().isEmpty())
        return group()->Caption();
    return QAccessibleWidget::text(t);
}
