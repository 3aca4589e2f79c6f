#pragma once

#include <QAccessibleWidget>

class TStaticText;

// What a screen reader is told of a static text: a label. One the window
// names (a voltmeter, "Вольтметр 1") shows its reading: its caption is its
// value and description, and its current value is that reading as a
// number; any other is named by its caption.
class StaticTextAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit StaticTextAccessible(TStaticText* text);

    // Makes the interface the one of every static text; called when one is
    // made.
    static void install();

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // The reading as a number: the decimal comma or point read, "- " as a
    // minus; none while the display is empty or shows no number.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    TStaticText* display() const;
    bool named() const;
};
