#pragma once

#include <QAccessibleWidget>

class TdxfColorButton;

// What a screen reader is told of a colour button: a push button named by
// its caption (its lines joined), or a toggle button, down or up, when it
// belongs to a group. Pressing it is a click.
class ColorButtonAccessible : public QAccessibleWidget
{
public:
    explicit ColorButtonAccessible(TdxfColorButton* button);

    // Makes the interface the one of every colour button; called when a
    // button is made.
    static void install();

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TdxfColorButton* button() const;
};
