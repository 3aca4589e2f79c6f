#pragma once

#include <QAccessibleWidget>
#include <QHash>

class TdxfOutlookBar;
class TdxfOutlookGroup;

// What a screen reader is told of an outlook bar: a list of page tabs, the
// headers of its groups (one child each, the active one selected and, while
// the bar has the focus, focused), followed by the groups themselves, the
// shown one visible. Each group is a pane named by its caption. The list
// itself is named after the group it shows.
class OutlookBarAccessible : public QAccessibleWidget
{
public:
    explicit OutlookBarAccessible(TdxfOutlookBar* bar);
    ~OutlookBarAccessible() override;

    // Makes the interfaces the ones of every outlook bar and its groups;
    // called when a bar is made.
    static void install();
    // The header of a group as a screen reader has it (none for a group of
    // no bar).
    static QAccessibleInterface* header(TdxfOutlookGroup* group);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

private:
    TdxfOutlookBar* bar() const;
    QAccessibleInterface* headerOf(TdxfOutlookGroup* group) const;

    // The header interfaces by group, made when first asked for.
    mutable QHash<TdxfOutlookGroup*, QAccessible::Id> FHeaders;
};
