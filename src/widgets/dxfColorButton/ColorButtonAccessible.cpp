#include "widgets/dxfColorButton/ColorButtonAccessible.h"

#include "widgets/dxfColorButton/TdxfColorButton.h"

namespace {

QAccessibleInterface* create(const QString& className, QObject* object)
{
    if (className == QLatin1String("TdxfColorButton"))
        if (auto* button = qobject_cast<TdxfColorButton*>(object))
            return new ColorButtonAccessible(button);
    return nullptr;
}

} // namespace

ColorButtonAccessible::ColorButtonAccessible(TdxfColorButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

void ColorButtonAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(create);
        return true;
    }();
    Q_UNUSED(installed);
}

TdxfColorButton* ColorButtonAccessible::button() const
{
    return static_cast<TdxfColorButton*>(widget());
}

QAccessible::State ColorButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->Pressed();
    if (button()->GroupIndex() != 0) {
        s.checkable = true;
        s.checked = button()->Down();
    }
    return s;
}

QString ColorButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && button()->accessibleName().isEmpty())
        return button()->Caption().join(QLatin1Char(' '));
    return QAccessibleWidget::text(t);
}

QStringList ColorButtonAccessible::actionNames() const
{
    return QStringList {pressAction()} + QAccessibleWidget::actionNames();
}

void ColorButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction()) {
        button()->Click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList ColorButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction())
        return {QStringLiteral("Space"), QStringLiteral("Enter")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
