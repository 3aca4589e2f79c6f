#pragma once

#include <QAccessibleWidget>

class TdxfOutlookGroup;

// A group of an outlook bar, as a screen reader has it: a pane named by its
// caption, holding the group's controls.
class OutlookGroupAccessible : public QAccessibleWidget
{
public:
    explicit OutlookGroupAccessible(TdxfOutlookGroup* group);

    QString text(QAccessible::Text t) const override;

private:
    TdxfOutlookGroup* group() const;
};
