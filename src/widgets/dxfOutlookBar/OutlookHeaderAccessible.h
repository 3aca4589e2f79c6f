#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class TdxfOutlookBar;
class TdxfOutlookGroup;

// The header of one group of an outlook bar, as a screen reader has it: a
// page tab named by the group's caption, selected when its group is shown.
// Pressing it shows the group, as a click on the header does.
class OutlookHeaderAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    OutlookHeaderAccessible(TdxfOutlookBar* bar, TdxfOutlookGroup* group);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QPointer<TdxfOutlookBar> FBar;
    QPointer<TdxfOutlookGroup> FGroup;
};
