#include "widgets/glLabel/LabelAccessible.h"

#include "widgets/glLabel/TglCustomLabel.h"

namespace {

QAccessibleInterface* create(const QString&, QObject* object)
{
    if (auto* label = qobject_cast<TglCustomLabel*>(object))
        return new LabelAccessible(label);
    return nullptr;
}

} // namespace

LabelAccessible::LabelAccessible(TglCustomLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

void LabelAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(create);
        return true;
    }();
    Q_UNUSED(installed);
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
