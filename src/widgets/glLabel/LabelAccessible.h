#pragma once

#include <QAccessibleWidget>

class TglCustomLabel;

// What a screen reader is told of a label of the glLabel unit (the test's
// question number, question and answers): a static text named by its
// caption, or by the name the window gives it.
class LabelAccessible : public QAccessibleWidget
{
public:
    explicit LabelAccessible(TglCustomLabel* label);

    // Makes the interface the one of every such label; called when one is
    // made.
    static void install();

    QString text(QAccessible::Text t) const override;

private:
    TglCustomLabel* label() const;
};
