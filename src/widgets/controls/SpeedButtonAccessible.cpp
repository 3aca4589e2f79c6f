#include "widgets/controls/SpeedButtonAccessible.h"

#include "widgets/controls/TSpeedButton.h"
#include "widgets/common/AccessibleFactory.h"

#include <QTimer>

SpeedButtonAccessible::SpeedButtonAccessible(TSpeedButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

void SpeedButtonAccessible::install()
{
    AccessibleFactory::install<TSpeedButton, SpeedButtonAccessible>();
}

TSpeedButton* SpeedButtonAccessible::button() const
{
    return static_cast<TSpeedButton*>(widget());
}

QAccessible::State SpeedButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    const TSpeedButton::TButtonState look = button()->State();
    s.pressed = look == TSpeedButton::bsDown;
    if (button()->GroupIndex() != 0) {
        s.checkable = true;
        s.checked = button()->Down();
    }
    return s;
}

QString SpeedButtonAccessible::text(QAccessible::Text t) const
{
    const QString caption = button()->Caption();
    switch (t) {
    case QAccessible::Name:
        return button()->accessibleName().isEmpty() ? caption : button()->accessibleName();
    case QAccessible::Description:
        if (!button()->accessibleDescription().isEmpty())
            return button()->accessibleDescription();
        if (!button()->accessibleName().isEmpty() && caption != button()->accessibleName())
            return caption;
        return QString();
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList SpeedButtonAccessible::actionNames() const
{
    QStringList names {pressAction()};
    if (button()->GroupIndex() != 0)
        names << toggleAction();
    return names + QAccessibleWidget::actionNames();
}

void SpeedButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() || actionName == toggleAction()) {
        // After the call returns, as Qt's own buttons do: a handler that
        // opens a message box must not hold the screen reader's call.
        TSpeedButton* target = button();
        QTimer::singleShot(0, target, [target] { target->Press(); });
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList SpeedButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction() || actionName == toggleAction())
        return {QStringLiteral("Space"), QStringLiteral("Enter")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
