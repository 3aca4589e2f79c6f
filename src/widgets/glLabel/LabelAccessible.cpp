#include "widgets/glLabel/LabelAccessible.h"

#include "widgets/glLabel/TglCustomLabel.h"
#include "widgets/common/AccessibleFactory.h"

LabelAccessible::LabelAccessible(TglCustomLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

void LabelAccessible::install()
{
    AccessibleFactory::install<TglCustomLabel, LabelAccessible>();
}

TglCustomLabel* LabelAccessible::label() const
{
    return static_cast<TglCustomLabel*>(widget());
}

QString LabelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && label()->accessibleName().isEmpty())
        return label()->Caption();
    return QAccessibleWidget::text(t);
}
