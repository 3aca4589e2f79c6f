#include "widgets/dxfColorButton/ColorButtonAccessible.h"

#include "widgets/dxfColorButton/TdxfColorButton.h"
#include "widgets/common/AccessibleFactory.h"

#include <QTimer>

ColorButtonAccessible::ColorButtonAccessible(TdxfColorButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

void ColorButtonAccessible::install()
{
    AccessibleFactory::install<TdxfColorButton, ColorButtonAccessible>();
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
        // After the call returns, as Qt's own buttons do: a handler that
        // opens a message box must not hold the screen reader's call.
        TdxfColorButton* target = button();
        QTimer::singleShot(0, target, [target] { target->Click(); });
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
