#pragma once

#include <QAccessibleWidget>

class TSpeedButton;

// What a screen reader is told of a speed button: a push button, or, when
// it latches (a GroupIndex), a toggle button that is down or up. Its name
// is the name the window gives it, else its caption; a button named
// otherwise than its caption tells the caption as its description (the
// power button, "Питание", says "Выкл."). Pressing it is a click in its
// middle.
class SpeedButtonAccessible : public QAccessibleWidget
{
public:
    explicit SpeedButtonAccessible(TSpeedButton* button);

    // Makes the interface the one of every speed button; called when a
    // button is made.
    static void install();

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TSpeedButton* button() const;
};
