#pragma once

#include <QAccessibleWidget>

class TdxfCheckBox;

// What a screen reader is told of a glyph check box: a check box, or a
// radio button when it belongs to a group (the test's answers), checked or
// not. Its name is the name the window gives it, else its caption, else the
// text of the control that labels it (an answer box is named by its
// answer); a box named otherwise than its caption tells the caption as its
// description (the switch "S1" says "S1 выкл."). Pressing or toggling it
// is a click.
class CheckBoxAccessible : public QAccessibleWidget
{
public:
    explicit CheckBoxAccessible(TdxfCheckBox* box);

    // Makes the interface the one of every glyph check box; called when a
    // box is made.
    static void install();
    // The control whose text names a box without a caption.
    static void setLabel(TdxfCheckBox* box, QWidget* label);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TdxfCheckBox* box() const;
    QWidget* label() const;
};
