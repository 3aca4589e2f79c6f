#include "widgets/controls/StaticTextAccessible.h"

#include "widgets/controls/TStaticText.h"
#include "widgets/common/AccessibleFactory.h"

StaticTextAccessible::StaticTextAccessible(TStaticText* text)
    : QAccessibleWidget(text, QAccessible::StaticText)
{
}

void StaticTextAccessible::install()
{
    AccessibleFactory::install<TStaticText, StaticTextAccessible>();
}

TStaticText* StaticTextAccessible::display() const
{
    return static_cast<TStaticText*>(widget());
}

bool StaticTextAccessible::named() const
{
    return !display()->accessibleName().isEmpty();
}

QString StaticTextAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return named() ? display()->accessibleName() : display()->Caption();
    case QAccessible::Value:
    case QAccessible::Description:
        // Screen readers read a label's description where they read no
        // value of it.
        return named() ? display()->Caption() : QString();
    default:
        return QAccessibleWidget::text(t);
    }
}

void* StaticTextAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface && named())
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant StaticTextAccessible::currentValue() const
{
    QString reading = display()->Caption().trimmed();
    reading.replace(QLatin1Char(','), QLatin1Char('.'));
    reading.remove(QLatin1Char(' '));
    bool ok = false;
    const double value = reading.toDouble(&ok);
    return ok ? QVariant(value) : QVariant();
}
