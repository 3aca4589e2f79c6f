#pragma once

#include <QString>
#include <QWidget>

class TdxfOutlookBar;

// One page of an outlook bar: a container for controls with a caption that
// the bar shows on the group's header. The bar decides the group's place,
// size and visibility: only the active group is shown, in the bar's client
// area. Child controls are placed in group coordinates, (0, 0) being the
// top-left corner of that area.
//
// A group joins a bar through setBar(); one created by the stored form as a
// child of its bar joins when the bar's Loaded() runs. The stored Index
// applies only once the group belongs to a bar, so the groups of a stored
// form take their header order from the order they stand in the form.
class TdxfOutlookGroup : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Index READ Index WRITE setIndex)

public:
    explicit TdxfOutlookGroup(QWidget* parent = nullptr);
    // Hands the bar over to another group first (the second one when this
    // is the first, else the first), then leaves the bar.
    ~TdxfOutlookGroup() override;

    TdxfOutlookBar* Bar() const { return FBar; }
    // Leaves the old bar, becomes a child of the new one and joins it as
    // its last and active group. Nothing when b is the group's bar already.
    void setBar(TdxfOutlookBar* b);

    QString Caption() const { return FCaption; }
    // Repaints the bar's headers.
    void setCaption(const QString& caption);

    // Position in the bar's header order; -1 while the group has no bar.
    int Index() const { return FIndex; }
    // Moves the group to position n of its bar's header order (the groups
    // between shift by one) and lays the bar out anew. Nothing without a
    // bar. Throws EListError "Max GroupIndex = N" above the last position,
    // and the list index error below 0; the order is then unchanged.
    void setIndex(int n);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TdxfOutlookBar;

    TdxfOutlookBar* FBar = nullptr;
    QString FCaption;
    int FIndex = -1;
};
