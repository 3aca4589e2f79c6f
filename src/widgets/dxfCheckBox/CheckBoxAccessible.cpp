#include "widgets/dxfCheckBox/CheckBoxAccessible.h"

#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/common/AccessibleFactory.h"

#include <QTimer>

namespace {

const char* const LabelProperty = "AccessibleLabel";

} // namespace

CheckBoxAccessible::CheckBoxAccessible(TdxfCheckBox* box)
    : QAccessibleWidget(box, QAccessible::CheckBox)
{
}

void CheckBoxAccessible::install()
{
    AccessibleFactory::install<TdxfCheckBox, CheckBoxAccessible>();
}

void CheckBoxAccessible::setLabel(TdxfCheckBox* box, QWidget* label)
{
    box->setProperty(LabelProperty, QVariant::fromValue<QObject*>(label));
}

TdxfCheckBox* CheckBoxAccessible::box() const
{
    return static_cast<TdxfCheckBox*>(widget());
}

QWidget* CheckBoxAccessible::label() const
{
    return qobject_cast<QWidget*>(box()->property(LabelProperty).value<QObject*>());
}

QAccessible::Role CheckBoxAccessible::role() const
{
    return box()->GroupIndex() > 0 ? QAccessible::RadioButton : QAccessible::CheckBox;
}

QAccessible::State CheckBoxAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = box()->Checked();
    return s;
}

QString CheckBoxAccessible::text(QAccessible::Text t) const
{
    const QString caption = box()->Caption().trimmed();
    switch (t) {
    case QAccessible::Name:
        if (!box()->accessibleName().isEmpty())
            return box()->accessibleName();
        if (!caption.isEmpty())
            return caption;
        if (QWidget* l = label())
            if (QAccessibleInterface* named = QAccessible::queryAccessibleInterface(l))
                return named->text(QAccessible::Name);
        return QString();
    case QAccessible::Description:
        if (!box()->accessibleDescription().isEmpty())
            return box()->accessibleDescription();
        if (!box()->accessibleName().isEmpty() && caption != box()->accessibleName())
            return caption;
        return QString();
    default:
        return QAccessibleWidget::text(t);
    }
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
CheckBoxAccessible::relations(QAccessible::Relation match) const
{
    auto found = QAccessibleWidget::relations(match);
    if (match & QAccessible::Label)
        if (QWidget* l = label())
            if (QAccessibleInterface* named = QAccessible::queryAccessibleInterface(l))
                found.append({named, QAccessible::Label});
    return found;
}

QStringList CheckBoxAccessible::actionNames() const
{
    return QStringList {toggleAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void CheckBoxAccessible::doAction(const QString& actionName)
{
    if (actionName == toggleAction() || actionName == pressAction()) {
        // After the call returns, as Qt's own buttons do: a handler that
        // opens a message box must not hold the screen reader's call.
        TdxfCheckBox* target = box();
        QTimer::singleShot(0, target, [target] {
            if (target->isEnabled())
                target->Click();
        });
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList CheckBoxAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == toggleAction() || actionName == pressAction())
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
