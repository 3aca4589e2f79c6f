#pragma once

#include "widgets/dxfOutlookBar/SwitchAnimation.h"
#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"

#include <QList>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

class Clock;
class OutlookLayout;
class QPainter;

// A bar of stacked pages, the groups, of which one at a time is shown. Each
// group has a raised caption header across the bar; the headers of the
// groups up to and including the active one are stacked at the start (top,
// or left edge), the others at the end, and the active group fills the
// client area between them. Clicking a header makes its group active, shown
// by a short sliding animation of the old content.
//
// The bar paints its own two-pixel sunken border and the headers; the
// headers are outside the client area, so a group never overlaps one.
//
// Stored form: the bar is a container whose children are its groups. After
// the form is built, Loaded() must be called once: the groups join the bar
// in the order they stand as children, the group named by ActiveGroupName
// becomes active, and from then on the change events fire.
//
// The keys: Tab reaches the bar (a click on a header does not take the
// focus); Up and Left show the group before the active one, Down and Right
// the one after it, Home and End the first and the last, each as a click
// on its header does. Reached from the keyboard, the active header shows
// the dotted focus mark.
class TdxfOutlookBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TdxfOutlookGroup* ActiveGroup READ ActiveGroup WRITE setActiveGroup)
    Q_PROPERTY(QString ActiveGroupName READ ActiveGroupName WRITE setActiveGroupName)
    Q_PROPERTY(TdxfOrientation Orientation READ Orientation WRITE setOrientation)

public:
    enum TdxfOrientation { orHorz, orVert };
    Q_ENUM(TdxfOrientation)

    explicit TdxfOutlookBar(QWidget* parent = nullptr);
    // Unlinks every group from the bar first; the groups themselves are
    // children of the bar and go with it.
    ~TdxfOutlookBar() override;

    // The groups in header order. Groups(i) is empty outside
    // 0 .. GroupCount() - 1 and above 255.
    int GroupCount() const { return FGroups.size(); }
    TdxfOutlookGroup* Groups(int i) const;

    // Appends g and makes it active (g's Bar becomes this bar). Normally
    // reached through TdxfOutlookGroup::setBar(), which also makes the
    // group a child of the bar.
    void AddGroup(TdxfOutlookGroup* g);
    // Takes g out: the bar is left without an active group when g was it.
    void RemoveGroup(TdxfOutlookGroup* g);

    TdxfOutlookGroup* ActiveGroup() const { return FActiveGroup; }
    // Shows g in the client area with the switch animation. A group of
    // another bar is ignored; an empty g leaves no group shown with every
    // header in the start stack; the active group again only repaints the
    // headers. Once loaded, OnBeforeChangeActiveGroup may veto the change
    // and OnChangeActiveGroup follows it.
    void setActiveGroup(TdxfOutlookGroup* g);

    // The active group by object name, the stored form of ActiveGroup.
    // Before Loaded() the name is kept and resolved by Loaded().
    QString ActiveGroupName() const;
    void setActiveGroupName(const QString& name);

    TdxfOrientation Orientation() const { return FOrientation; }
    void setOrientation(TdxfOrientation o);

    // The header of g, in the bar's coordinates in the stored form's pixels
    // (on a zoomed page ControlZoom::toShown gives where it is shown; right
    // and bottom edges outside). For a group not in the bar, the header of the last position.
    QRect HeaderRect(TdxfOutlookGroup* g) const;
    // The group whose header contains the point (stored form's pixels).
    TdxfOutlookGroup* HeaderAt(QPoint point) const;
    // Where the active group lies: the client bounds less the border.
    QRect ClientRect() const;

    // Measures the headers, animates a pending switch, recalculates the
    // frame and shows exactly the active group.
    void UpdateLayout();
    // Recalculates the client bounds, places the groups in the client area
    // and repaints the frame.
    void UpdateFrame();
    // The sliding animation from PreviousGroup to ActiveGroup; nothing when
    // no switch is pending or while the bar is not on screen.
    void AnimateSwitch();

    // Ends loading from the stored form (see the class comment).
    void Loaded();
    bool IsLoaded() const { return FIsLoaded; }

    TdxfOutlookGroup* PreviousGroup() const { return FPreviousGroup; }
    TdxfOutlookGroup* PressedGroup() const { return FPressedGroup; }
    TdxfOutlookGroup* HotGroup() const { return FHotGroup; }
    bool Tracking() const { return FTracking; }
    int HeaderHeight() const { return FHeaderHeight; }
    QRect ClientBounds() const { return FClientBounds; }

    // The clock that paces the animation; the machine's by default.
    void setClock(Clock* clock);

signals:
    void OnBeforeChangeActiveGroup(QObject* Sender, TdxfOutlookGroup* NewGroup, bool* AllowChange);
    void OnChangeActiveGroup(QObject* Sender);
    // A completed click on a header (also of the active group) or in an
    // uncovered client area.
    void OnClick(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A press on the header under the point: the header goes down; with
    // capture the bar holds the mouse until the button goes up.
    void pressHeader(const QPoint& point, bool capture);
    friend class TdxfOutlookGroup;

    OutlookLayout layoutFor(TdxfOutlookGroup* active) const;
    int measureHeaderHeight() const;
    void moveGroup(TdxfOutlookGroup* g, int to);
    void forgetGroup(TdxfOutlookGroup* g);
    void mouseLeft();
    void trackHeader(QPoint point);
    // The pointer is over the bar itself, not over one of its groups.
    bool overBar(QPoint point) const;
    void paintBorder(QPainter& p) const;
    void paintHeader(QPainter& p, TdxfOutlookGroup* g, const QRect& header,
                     bool down) const;
    // The group the arrow key, Home or End names, from the active one.
    TdxfOutlookGroup* groupForKey(int key) const;
    // Tells a screen reader which header is selected now.
    void noticeActiveGroup(TdxfOutlookGroup* old);

    QList<TdxfOutlookGroup*> FGroups;
    TdxfOutlookGroup* FActiveGroup = nullptr;
    TdxfOutlookGroup* FPreviousGroup = nullptr;
    TdxfOutlookGroup* FPressedGroup = nullptr;
    TdxfOutlookGroup* FHotGroup = nullptr;
    QRect FTargetRect;
    int FHeaderHeight = 0;
    TdxfOrientation FOrientation = orVert;
    QRect FClientBounds;
    bool FTracking = false;
    bool FIsLoaded = false;

    // The active group of the arrangement on screen: the frame shows the
    // old arrangement until it is recalculated, as the animation needs.
    TdxfOutlookGroup* FFrameGroup = nullptr;
    // The stored ActiveGroupName, resolved by Loaded().
    QString FStoredActiveGroup;
    // The bar took the mouse with a press on a header.
    bool FCaptured = false;
    Clock* FClock;

    // The animation in progress: the picture of the moving region and the
    // frame on screen.
    bool FAnimating = false;
    QPixmap FSwitchPicture;
    SwitchAnimation::Frame FSwitchFrame;
    QRect FSwitchRegion;
};
