#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"

#include "platform/Clock.h"
#include "widgets/dxfOutlookBar/OutlookBarAccessible.h"
#include "widgets/dxfOutlookBar/OutlookLayout.h"
#include "platform/TColor.h"
#include "widgets/common/AccessibleNotice.h"
#include "widgets/common/Bevel.h"
#include "widgets/common/FocusMark.h"
#include "widgets/common/ControlZoom.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// The text whose height, plus 8, is the thickness of a header.
const QString MeasureText = QStringLiteral("Wg");
constexpr int MaxGroups = 256;

int rightOf(const QRect& r) { return r.left() + r.width(); }
int bottomOf(const QRect& r) { return r.top() + r.height(); }

} // namespace

TdxfOutlookBar::TdxfOutlookBar(QWidget* parent)
    : QWidget(parent)
    , FClock(&Clock::system())
{
    TColor::registerType();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(150, height());
    FHeaderHeight = measureHeaderHeight();
    FClientBounds = rect();
    // Reached with Tab; a click on a header leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    FocusMark::watch();
    OutlookBarAccessible::install();
}

TdxfOutlookBar::~TdxfOutlookBar()
{
    for (TdxfOutlookGroup* g : std::as_const(FGroups)) {
        g->removeEventFilter(this);
        g->FBar = nullptr;
    }
    FGroups.clear();
}

void TdxfOutlookBar::setClock(Clock* clock)
{
    FClock = clock ? clock : &Clock::system();
}

TdxfOutlookGroup* TdxfOutlookBar::Groups(int i) const
{
    if (i < 0 || i >= FGroups.size() || i >= MaxGroups)
        return nullptr;
    return FGroups.at(i);
}

OutlookLayout TdxfOutlookBar::layoutFor(TdxfOutlookGroup* active) const
{
    const QSize size = ControlZoom::designSize(this);
    return OutlookLayout(FOrientation == orVert, size.width(), size.height(), FHeaderHeight,
                         int(FGroups.size()), active ? int(FGroups.indexOf(active)) : -1);
}

int TdxfOutlookBar::measureHeaderHeight() const
{
    return QFontMetrics(font()).size(Qt::TextSingleLine, MeasureText).height() + 8;
}

QRect TdxfOutlookBar::HeaderRect(TdxfOutlookGroup* g) const
{
    if (FGroups.isEmpty())
        return QRect();
    int position = int(FGroups.indexOf(g));
    if (position < 0)
        position = int(FGroups.size()) - 1;
    return layoutFor(FActiveGroup).headerRect(position);
}

TdxfOutlookGroup* TdxfOutlookBar::HeaderAt(QPoint point) const
{
    const int position = layoutFor(FActiveGroup).headerAt(point);
    return position < 0 ? nullptr : FGroups.at(position);
}

QRect TdxfOutlookBar::ClientRect() const
{
    const QRect b = FClientBounds;
    return OutlookLayout::ltrb(b.left() + OutlookLayout::Border, b.top() + OutlookLayout::Border,
                               rightOf(b) - OutlookLayout::Border,
                               bottomOf(b) - OutlookLayout::Border);
}

// ---------------------------------------------------------------- groups

void TdxfOutlookBar::AddGroup(TdxfOutlookGroup* g)
{
    if (!g || FGroups.contains(g))
        return;
    if (g->FBar)
        g->FBar->RemoveGroup(g);
    FGroups.append(g);
    g->FBar = this;
    g->FIndex = int(FGroups.size()) - 1;
    g->installEventFilter(this);
    setActiveGroup(g);
}

void TdxfOutlookBar::RemoveGroup(TdxfOutlookGroup* g)
{
    if (!g || !FGroups.contains(g))
        return;
    if (g == FActiveGroup) {
        setActiveGroup(nullptr);
        if (FActiveGroup == g) {
            // The switch was vetoed, but a group that leaves cannot stay
            // active: the bar is left without an active group all the same.
            FActiveGroup = nullptr;
            FPreviousGroup = nullptr;
            g->hide();
        }
    }
    forgetGroup(g);
    g->removeEventFilter(this);
    g->FBar = nullptr;
    g->FIndex = -1;
    FGroups.removeOne(g);
    for (int i = 0; i < FGroups.size(); ++i)
        FGroups.at(i)->FIndex = i;
    UpdateLayout();
}

void TdxfOutlookBar::forgetGroup(TdxfOutlookGroup* g)
{
    if (FPressedGroup == g) {
        FPressedGroup = nullptr;
        FTracking = false;
        FCaptured = false;
    }
    if (FHotGroup == g)
        FHotGroup = nullptr;
    if (FPreviousGroup == g)
        FPreviousGroup = FActiveGroup;
}

void TdxfOutlookBar::moveGroup(TdxfOutlookGroup* g, int to)
{
    const int from = int(FGroups.indexOf(g));
    if (from < 0)
        return;
    FGroups.move(from, to);
    for (int i = 0; i < FGroups.size(); ++i)
        FGroups.at(i)->FIndex = i;
    UpdateLayout();
}

// ------------------------------------------------------------ properties

void TdxfOutlookBar::setActiveGroup(TdxfOutlookGroup* g)
{
    if (g && g->FBar != this)
        return;
    if (g == FActiveGroup) {
        if (g)
            update();
        return;
    }
    bool allowChange = true;
    if (FIsLoaded)
        emit OnBeforeChangeActiveGroup(this, g, &allowChange);
    if (!allowChange)
        return;
    FTargetRect = HeaderRect(g);
    TdxfOutlookGroup* old = FActiveGroup;
    FPreviousGroup = FActiveGroup;
    FActiveGroup = g;
    UpdateLayout();
    FPreviousGroup = FActiveGroup;
    noticeActiveGroup(old);
    if (FIsLoaded)
        emit OnChangeActiveGroup(this);
}

void TdxfOutlookBar::noticeActiveGroup(TdxfOutlookGroup* old)
{
    QAccessible::State selected;
    selected.selected = true;
    for (TdxfOutlookGroup* g : {old, FActiveGroup}) {
        if (QAccessibleInterface* header = OutlookBarAccessible::header(g)) {
            QAccessibleStateChangeEvent changed(header, selected);
            AccessibleNotice::send(changed);
        }
    }
    if (hasFocus())
        if (QAccessibleInterface* header = OutlookBarAccessible::header(FActiveGroup)) {
            QAccessibleEvent focused(header, QAccessible::Focus);
            AccessibleNotice::send(focused);
        }
}

QString TdxfOutlookBar::ActiveGroupName() const
{
    if (!FIsLoaded)
        return FStoredActiveGroup;
    return FActiveGroup ? FActiveGroup->objectName() : QString();
}

void TdxfOutlookBar::setActiveGroupName(const QString& name)
{
    if (!FIsLoaded) {
        FStoredActiveGroup = name;
        return;
    }
    if (name.isEmpty()) {
        setActiveGroup(nullptr);
        return;
    }
    for (TdxfOutlookGroup* g : std::as_const(FGroups))
        if (g->objectName() == name) {
            setActiveGroup(g);
            return;
        }
}

void TdxfOutlookBar::setOrientation(TdxfOrientation o)
{
    if (o == FOrientation)
        return;
    FOrientation = o;
    UpdateLayout();
}

void TdxfOutlookBar::Loaded()
{
    if (FIsLoaded)
        return;
    // Each group joins in the order it stands in the form, and is made
    // active in turn.
    const QObjectList stored = children();
    for (QObject* child : stored)
        if (auto* g = qobject_cast<TdxfOutlookGroup*>(child); g && g->FBar != this)
            g->setBar(this);
    if (!FStoredActiveGroup.isEmpty())
        for (TdxfOutlookGroup* g : std::as_const(FGroups))
            if (g->objectName() == FStoredActiveGroup) {
                setActiveGroup(g);
                break;
            }
    FStoredActiveGroup.clear();
    FIsLoaded = true;
}

// ---------------------------------------------------------------- layout

void TdxfOutlookBar::UpdateLayout()
{
    FClientBounds = ControlZoom::designRect(this);
    FHeaderHeight = measureHeaderHeight();
    AnimateSwitch();
    UpdateFrame();
    for (TdxfOutlookGroup* g : std::as_const(FGroups)) {
        if (g == FActiveGroup) {
            g->show();
            g->raise();
        } else {
            g->hide();
        }
    }
}

void TdxfOutlookBar::UpdateFrame()
{
    const OutlookLayout layout = layoutFor(FActiveGroup);
    FClientBounds = layout.clientBounds();
    FFrameGroup = FActiveGroup;
    const QRect area = layout.clientArea();
    const QRect place(area.topLeft(), QSize(std::max(area.width(), 0), std::max(area.height(), 0)));
    for (TdxfOutlookGroup* g : std::as_const(FGroups))
        ControlZoom::setGeometry(g, place);
    update();
}

void TdxfOutlookBar::AnimateSwitch()
{
    if (!FPreviousGroup || FPreviousGroup == FActiveGroup)
        return;
    // A bar that is not on screen has nothing to show and does not keep the
    // program waiting.
    if (isVisible()) {
        const SwitchAnimation plan(FOrientation == orVert, ControlZoom::designSize(this), int(FGroups.size()),
                                   FHeaderHeight, HeaderRect(FPreviousGroup),
                                   HeaderRect(FActiveGroup), FTargetRect);
        FSwitchRegion = plan.region();
        // What the screen shows in the region: the frame still stands in the
        // old arrangement, with the old group in it.
        // On a zoomed page the picture holds the region's shown pixels and
        // covers its stored size.
        FSwitchPicture = QPixmap();
        if (!FSwitchRegion.isEmpty()) {
            FSwitchPicture = grab(ControlZoom::toShown(this, FSwitchRegion));
            FSwitchPicture.setDevicePixelRatio(qreal(FSwitchPicture.width()) / FSwitchRegion.width());
        }
        for (TdxfOutlookGroup* g : std::as_const(FGroups))
            if (g->isVisible())
                g->hide();
        // The frames are painted here and now, with a sleep between them,
        // and not from a timer: a switch is whole when setActiveGroup
        // returns. The frame, the shown group, PreviousGroup and
        // OnChangeActiveGroup all come after the last frame, and no click,
        // key or resize reaches the bar or the bench inside it half-way
        // through a switch. A timer would let the event loop run between
        // frames, and a second header click would meet a switch half done.
        // On the bench's bar the whole slide takes about 190 ms; the sleep
        // goes through the injected clock, so tests do not wait for it.
        FAnimating = true;
        const int frameTime = plan.frameTime();
        for (int k = 0; k < SwitchAnimation::Frames; ++k) {
            const std::int64_t start = FClock->tickCount();
            FSwitchFrame = plan.frame(k);
            if (!FSwitchRegion.isEmpty())
                repaint(ControlZoom::toShown(this, FSwitchRegion));
            // A slow frame is not followed by a sleep: the animation keeps
            // its 21 frames without adding to the delay.
            const std::int64_t elapsed = FClock->tickCount() - start;
            if (elapsed < frameTime)
                FClock->sleep(int(frameTime - elapsed));
        }
        FAnimating = false;
        FSwitchPicture = QPixmap();
    }
    FPreviousGroup = FActiveGroup;
}

// -------------------------------------------------------------- painting

void TdxfOutlookBar::paintBorder(QPainter& p) const
{
    // The sunken client edge: two lines, darker inside.
    const QRect bounds = ControlZoom::designRect(this);
    Bevel::frame(p, bounds, clBtnShadow, clBtnHighlight);
    Bevel::frame(p, bounds.adjusted(1, 1, -1, -1), cl3DDkShadow, cl3DLight);
}

void TdxfOutlookBar::paintHeader(QPainter& p, TdxfOutlookGroup* g, const QRect& header,
                                 bool down) const
{
    if (header.width() <= 0 || header.height() <= 0)
        return;
    int l = header.left();
    int t = header.top();
    int r = rightOf(header);
    int b = bottomOf(header);
    p.fillRect(header, clBtnFace.toQColor());
    const bool hot = g == FHotGroup;
    const QRect inner = header.adjusted(1, 1, -1, -1);
    if (down) {
        Bevel::frame(p, header, cl3DDkShadow, clBtnHighlight);
        if (hot)
            Bevel::topLeft(p, inner, clBtnShadow);
    } else {
        Bevel::frame(p, header, clBtnHighlight, cl3DDkShadow);
        if (hot)
            Bevel::bottomRight(p, inner, clBtnShadow);
    }

    // The caption's rectangle: inside the edges, pushed one pixel right and
    // down on a header that is down.
    if (down) {
        ++l;
        ++t;
    }
    const QRect text = OutlookLayout::ltrb(l + 2, t + 4, r - 2, b - 2);
    if (text.width() <= 0 || text.height() <= 0)
        return;

    p.save();
    p.setClipRect(text);
    p.setFont(font());
    p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    const QString caption = g->Caption();
    if (FOrientation == orVert) {
        // Centred across, from the top of the rectangle; broken only at the
        // caption's own line breaks.
        p.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, caption);
    } else {
        // Turned to read from top to bottom and centred both ways: the top of
        // the letters faces the right edge.
        const QFontMetrics fm(font());
        const QSize extent = fm.size(Qt::TextSingleLine, caption);
        const int a = (text.width() - extent.height()) / 2;
        const int c = (text.height() - extent.width()) / 2;
        p.translate(rightOf(text) - a, text.top() + c);
        p.rotate(90);
        p.drawText(QPoint(0, fm.ascent()), caption);
    }
    p.restore();
}

void TdxfOutlookBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // In the stored form's pixels, scaled on a zoomed page.
    ControlZoom::scalePainter(p, this);
    paintBorder(p);
    // The client area, seen when no group is shown.
    const QSize size = ControlZoom::designSize(this);
    p.fillRect(OutlookLayout::ltrb(2, 2, size.width() - 2, size.height() - 2), clBtnFace.toQColor());

    // The headers as the frame stands: during a switch, the old arrangement.
    const OutlookLayout layout = layoutFor(FFrameGroup);
    for (int i = 0; i < FGroups.size(); ++i) {
        TdxfOutlookGroup* g = FGroups.at(i);
        const bool down = (FTracking && g == FPressedGroup) || g == FFrameGroup;
        paintHeader(p, g, layout.headerRect(i), down);
    }

    if (FAnimating) {
        p.setClipRect(FSwitchRegion);
        const SwitchAnimation::Frame& f = FSwitchFrame;
        if (!FSwitchPicture.isNull() && !f.source.isEmpty()) {
            const qreal ratio = FSwitchPicture.devicePixelRatio();
            const QRectF source(f.source.x() * ratio, f.source.y() * ratio,
                                f.source.width() * ratio, f.source.height() * ratio);
            p.drawPixmap(QRectF(f.target, f.source.size()), FSwitchPicture, source);
        }
        p.fillRect(f.strip, clBtnFace.toQColor());
    } else if (FFrameGroup && FocusMark::shown(this)) {
        // Inside the active header's edges, around its caption.
        const QRect header = layout.headerRect(int(FGroups.indexOf(FFrameGroup)));
        FocusMark::paint(p, header.adjusted(3, 3, -4, -3));
    }
}

// ---------------------------------------------------------------- events

void TdxfOutlookBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateLayout();
}

void TdxfOutlookBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        UpdateLayout();
}

bool TdxfOutlookBar::overBar(QPoint point) const
{
    if (!ControlZoom::designRect(this).contains(point))
        return false;
    return !(FActiveGroup && FActiveGroup->isVisible()
             && OutlookLayout::contains(ClientRect(), point));
}

void TdxfOutlookBar::trackHeader(QPoint point)
{
    TdxfOutlookGroup* g = HeaderAt(point);
    if (g && g != FHotGroup) {
        FHotGroup = g;
        FTracking = true;
        update();
    }
}

void TdxfOutlookBar::mouseLeft()
{
    if (!FHotGroup && !FTracking)
        return;
    FHotGroup = nullptr;
    FTracking = false;
    update();
}

void TdxfOutlookBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    // The bar holds the mouse until the button goes up.
    pressHeader(ControlZoom::toDesign(this, event->position()), true);
}

void TdxfOutlookBar::pressHeader(const QPoint& point, bool capture)
{
    FCaptured = false;
    if (TdxfOutlookGroup* g = HeaderAt(point)) {
        FTracking = true;
        FPressedGroup = g;
        FCaptured = capture;
        update();
    }
}

void TdxfOutlookBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    // The second press of a double click: the header goes down, but the bar
    // does not hold the mouse, and the release fires no click.
    pressHeader(ControlZoom::toDesign(this, event->position()), false);
}

void TdxfOutlookBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = ControlZoom::toDesign(this, event->position());
    // While the button is held the moves keep coming here; off the bar (or
    // over its group) the pointer has left it.
    if (!overBar(point)) {
        mouseLeft();
        return;
    }
    trackHeader(point);
}

void TdxfOutlookBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    const QPoint point = ControlZoom::toDesign(this, event->position());
    const bool captured = FCaptured;
    FCaptured = false;

    bool complete = false;   // the click counts: activate the pressed group
    bool fireClick = false;
    if (captured) {
        // Released anywhere inside the window: the click is complete;
        // outside it is cancelled.
        complete = ControlZoom::designRect(this).contains(point);
        fireClick = complete;
    } else if (overBar(point)) {
        // Without the mouse held, a release in the client area is a click of
        // the bar; one on a header or the border only ends a double click.
        complete = true;
        fireClick = OutlookLayout::contains(ClientRect(), point);
    }

    if (complete) {
        // A release with no press recorded on a header leaves the active
        // group as it is.
        if (FPressedGroup)
            setActiveGroup(FPressedGroup);
        if (fireClick)
            emit OnClick(this);
    }
    FTracking = false;
    FPressedGroup = nullptr;
    update();
}

TdxfOutlookGroup* TdxfOutlookBar::groupForKey(int key) const
{
    if (FGroups.isEmpty())
        return nullptr;
    const int last = int(FGroups.size()) - 1;
    const int active = FActiveGroup ? int(FGroups.indexOf(FActiveGroup)) : -1;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        return FGroups.at(std::max(active - 1, 0));
    case Qt::Key_Down:
    case Qt::Key_Right:
        return FGroups.at(std::min(active + 1, last));
    case Qt::Key_Home:
        return FGroups.first();
    case Qt::Key_End:
        return FGroups.last();
    default:
        return nullptr;
    }
}

void TdxfOutlookBar::keyPressEvent(QKeyEvent* event)
{
    TdxfOutlookGroup* g = (event->modifiers() & ~Qt::KeypadModifier) ? nullptr : groupForKey(event->key());
    if (!g) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (g != FActiveGroup)
        setActiveGroup(g);
}

void TdxfOutlookBar::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    // A screen reader goes on to the header of the group on show.
    if (QAccessibleInterface* header = OutlookBarAccessible::header(FActiveGroup)) {
        QAccessibleEvent focused(header, QAccessible::Focus);
        AccessibleNotice::send(focused);
    }
}

void TdxfOutlookBar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TdxfOutlookBar::leaveEvent(QEvent* event)
{
    mouseLeft();
    QWidget::leaveEvent(event);
}

bool TdxfOutlookBar::eventFilter(QObject* watched, QEvent* event)
{
    // The pointer going from a header onto the shown group leaves the bar.
    if (event->type() == QEvent::Enter && FGroups.contains(watched))
        mouseLeft();
    return QWidget::eventFilter(watched, event);
}
