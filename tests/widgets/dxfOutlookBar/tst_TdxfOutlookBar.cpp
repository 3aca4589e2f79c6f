// The outlook bar with its groups: joining and leaving, the active group
// and its events, header order, destruction, the mouse on the headers, the
// painted frame and the paced switch animation.
#include "platform/EListError.h"
#include "support/WidgetFixture.h"
#include "FrameClock.h"
#include "widgets/dxfOutlookBar/OutlookLayout.h"
#include "platform/TColor.h"
#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"
#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"

#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

QRect ltrb(int l, int t, int r, int b) { return OutlookLayout::ltrb(l, t, r, b); }

QRgb rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
QRgb rgb(TColor colour) { return colour.toQColor().rgb() & 0xFFFFFF; }
QRgb rgb(Qt::GlobalColor colour) { return QColor(colour).rgb() & 0xFFFFFF; }

// A window of 700 x 620 holding a bar at 10/10 with named groups "G0"...,
// each filled with its own colour, loaded with the first group active.
class Bench
{
public:
    explicit Bench(int count, QSize size = {565, 562},
                   TdxfOutlookBar::TdxfOrientation orientation = TdxfOutlookBar::orVert)
    {
        host.resize(700, 620);
        bar = new TdxfOutlookBar(&host);
        bar->setGeometry(QRect(QPoint(10, 10), size));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(11);
        bar->setFont(font);
        QPalette palette = bar->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        bar->setPalette(palette);
        bar->setOrientation(orientation);
        bar->setClock(&clock);
        static const Qt::GlobalColor colours[] = {Qt::red, Qt::blue, Qt::green, Qt::yellow};
        for (int i = 0; i < count; ++i) {
            auto* g = new TdxfOutlookGroup(bar);
            g->setObjectName(QStringLiteral("G%1").arg(i));
            g->setCaption(QStringLiteral("Group %1").arg(i));
            QPalette p = g->palette();
            p.setColor(QPalette::Window, colours[i % 4]);
            g->setPalette(p);
            groups << g;
        }
        if (count > 0)
            bar->setActiveGroupName(QStringLiteral("G0"));
        bar->Loaded();
    }

    void show()
    {
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
    }

    // Mouse actions through the window, at bar coordinates.
    QWindow* window() { return host.windowHandle(); }
    QPoint at(QPoint barPoint) const { return barPoint + QPoint(10, 10); }
    QPoint on(TdxfOutlookGroup* g) const { return at(bar->HeaderRect(g).center()); }
    void press(QPoint p) { QTest::mousePress(window(), Qt::LeftButton, {}, p); }
    void release(QPoint p) { QTest::mouseRelease(window(), Qt::LeftButton, {}, p); }
    void move(QPoint p) { QTest::mouseMove(window(), p); }
    void click(QPoint p) { QTest::mouseClick(window(), Qt::LeftButton, {}, p); }

    QWidget host;
    TdxfOutlookBar* bar;
    QList<TdxfOutlookGroup*> groups;
    FrameClock clock;
};

// The groups that are shown.
QList<TdxfOutlookGroup*> shown(const TdxfOutlookBar& bar)
{
    QList<TdxfOutlookGroup*> result;
    for (int i = 0; i < bar.GroupCount(); ++i)
        if (!bar.Groups(i)->isHidden())
            result << bar.Groups(i);
    return result;
}

// The box of the dark (text) pixels inside a rectangle.
QRect darkPixels(const QImage& image, const QRect& area)
{
    return fixture::boxOf(image, [](QRgb pixel) { return qGray(pixel) < 0x50; }, area);
}

} // namespace

class tst_TdxfOutlookBar : public QObject
{
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ groups

    void headerHeightFollowsTheFont()
    {
        Bench b(2);
        // "Wg" with Liberation Sans at 11 pixels is 13 high: headers of 21.
        QCOMPARE(b.bar->HeaderHeight(), 21);
        QCOMPARE(b.bar->HeaderRect(b.groups[0]), ltrb(2, 2, 563, 23));
        QCOMPARE(b.bar->HeaderRect(b.groups[1]), ltrb(2, 539, 563, 560));
        QCOMPARE(b.groups[0]->geometry(), ltrb(2, 23, 563, 539));

        QFont font = b.bar->font();
        font.setPixelSize(24);
        b.bar->setFont(font);
        const int h = QFontMetrics(font).size(Qt::TextSingleLine, "Wg").height() + 8;
        QVERIFY(h > 21);
        QCOMPARE(b.bar->HeaderHeight(), h);
        QCOMPARE(b.bar->HeaderRect(b.groups[1]), ltrb(2, 560 - h, 563, 560));
        QCOMPARE(b.groups[0]->geometry(), ltrb(2, h + 2, 563, 560 - h));
    }

    void groupsJoinInOrderAndOnlyTheActiveOneIsShown()
    {
        TdxfOutlookBar bar;
        bar.resize(200, 300);
        QList<TdxfOutlookGroup*> groups;
        for (int i = 0; i < 3; ++i) {
            auto* g = new TdxfOutlookGroup;
            QCOMPARE(g->Index(), -1);
            g->setBar(&bar);
            QCOMPARE(g->parentWidget(), &bar);
            QCOMPARE(g->Bar(), &bar);
            QCOMPARE(bar.ActiveGroup(), g);   // a new group becomes active
            groups << g;
        }
        QCOMPARE(bar.GroupCount(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(bar.Groups(i), groups[i]);
            QCOMPARE(groups[i]->Index(), i);
        }
        QCOMPARE(bar.Groups(-1), nullptr);
        QCOMPARE(bar.Groups(3), nullptr);
        QCOMPARE(shown(bar), QList<TdxfOutlookGroup*>{groups[2]});
        // The shown group fills the client area and covers no header.
        QCOMPARE(groups[2]->geometry(), bar.ClientRect());
        for (TdxfOutlookGroup* g : groups)
            QVERIFY(!bar.ClientRect().intersects(bar.HeaderRect(g)));

        // Joining another bar leaves this one first.
        TdxfOutlookBar other;
        groups[2]->setBar(&other);
        QCOMPARE(bar.GroupCount(), 2);
        QCOMPARE(bar.ActiveGroup(), nullptr);
        QCOMPARE(other.Groups(0), groups[2]);
        QCOMPARE(groups[2]->parentWidget(), &other);
        QCOMPARE(groups[2]->Index(), 0);
        // A group of another bar cannot become active here.
        bar.setActiveGroup(groups[2]);
        QCOMPARE(bar.ActiveGroup(), nullptr);
    }

    void changingTheActiveGroupRaisesBothEvents()
    {
        Bench b(2);
        TdxfOutlookBar* bar = b.bar;
        QSignalSpy before(bar, &TdxfOutlookBar::OnBeforeChangeActiveGroup);
        QSignalSpy changed(bar, &TdxfOutlookBar::OnChangeActiveGroup);

        bar->setActiveGroup(b.groups[1]);
        QCOMPARE(before.count(), 1);
        QCOMPARE(before.at(0).at(0).value<QObject*>(), bar);
        QCOMPARE(before.at(0).at(1).value<TdxfOutlookGroup*>(), b.groups[1]);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QObject*>(), bar);
        QCOMPARE(bar->PreviousGroup(), b.groups[1]);
        QCOMPARE(shown(*bar), QList<TdxfOutlookGroup*>{b.groups[1]});
        QCOMPARE(bar->HeaderRect(b.groups[1]), ltrb(2, 23, 563, 44));
        QCOMPARE(bar->ActiveGroupName(), QString("G1"));

        // The active group again: no event.
        bar->setActiveGroup(b.groups[1]);
        QCOMPARE(before.count(), 1);
        QCOMPARE(changed.count(), 1);

        // No active group: every header at the top, the client area below.
        bar->setActiveGroup(nullptr);
        QCOMPARE(changed.count(), 2);
        QVERIFY(shown(*bar).isEmpty());
        QCOMPARE(bar->HeaderRect(b.groups[1]), ltrb(2, 23, 563, 44));
        QCOMPARE(bar->ClientBounds(), ltrb(0, 42, 565, 562));
        QCOMPARE(bar->ClientRect(), ltrb(2, 44, 563, 560));

        // By name, as the stored form sets it.
        bar->setActiveGroupName("G0");
        QCOMPARE(bar->ActiveGroup(), b.groups[0]);
        bar->setActiveGroupName("nothing");
        QCOMPARE(bar->ActiveGroup(), b.groups[0]);
    }

    void aVetoKeepsTheOldGroup()
    {
        Bench b(2);
        TdxfOutlookBar* bar = b.bar;
        QSignalSpy changed(bar, &TdxfOutlookBar::OnChangeActiveGroup);
        QObject::connect(bar, &TdxfOutlookBar::OnBeforeChangeActiveGroup,
                         [](QObject*, TdxfOutlookGroup*, bool* allow) { *allow = false; });
        const QRect bounds = bar->ClientBounds();
        bar->setActiveGroup(b.groups[1]);
        QCOMPARE(bar->ActiveGroup(), b.groups[0]);
        QCOMPARE(shown(*bar), QList<TdxfOutlookGroup*>{b.groups[0]});
        QCOMPARE(bar->ClientBounds(), bounds);
        QCOMPARE(changed.count(), 0);
    }

    void noChangeEventsWhileLoading()
    {
        TdxfOutlookBar bar;
        bar.resize(200, 300);
        QSignalSpy before(&bar, &TdxfOutlookBar::OnBeforeChangeActiveGroup);
        QSignalSpy changed(&bar, &TdxfOutlookBar::OnChangeActiveGroup);
        auto* first = new TdxfOutlookGroup(&bar);
        auto* second = new TdxfOutlookGroup(&bar);
        second->setObjectName("second");
        // Stored positions are read before the groups belong to the bar:
        // the order they stand in wins.
        first->setIndex(1);
        second->setIndex(0);
        QCOMPARE(first->Index(), -1);
        bar.setActiveGroupName("second");
        QCOMPARE(bar.ActiveGroup(), nullptr);
        QVERIFY(!bar.IsLoaded());

        bar.Loaded();
        QVERIFY(bar.IsLoaded());
        QCOMPARE(bar.Groups(0), first);
        QCOMPARE(bar.Groups(1), second);
        QCOMPARE(bar.ActiveGroup(), second);
        QCOMPARE(before.count(), 0);
        QCOMPARE(changed.count(), 0);

        bar.setActiveGroup(first);
        QCOMPARE(before.count(), 1);
        QCOMPARE(changed.count(), 1);
    }

    void setIndexRejectsBadPositionsAndMovesGroups()
    {
        Bench b(2);
        TdxfOutlookGroup* g0 = b.groups[0];
        TdxfOutlookGroup* g1 = b.groups[1];
        try {
            g1->setIndex(2);
            QFAIL("no error above the last position");
        } catch (const EListError& e) {
            QCOMPARE(e.message(), QString("Max GroupIndex = 1"));
        }
        QVERIFY_THROWS_EXCEPTION(EListError, g1->setIndex(-1));
        QCOMPARE(b.bar->Groups(0), g0);
        QCOMPARE(g1->Index(), 1);

        // Swapping: the headers change places, both groups are renumbered.
        g1->setIndex(0);
        QCOMPARE(b.bar->Groups(0), g1);
        QCOMPARE(b.bar->Groups(1), g0);
        QCOMPARE(g1->Index(), 0);
        QCOMPARE(g0->Index(), 1);
        QCOMPARE(b.bar->ActiveGroup(), g0);
        QCOMPARE(b.bar->HeaderRect(g1), ltrb(2, 2, 563, 23));
        QCOMPARE(b.bar->HeaderRect(g0), ltrb(2, 23, 563, 44));
        QCOMPARE(g0->geometry(), ltrb(2, 44, 563, 560));

        // Without a bar the position is ignored.
        TdxfOutlookGroup loose;
        loose.setIndex(5);
        QCOMPARE(loose.Index(), -1);
    }

    void destroyingAGroupActivatesAnother_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("destroyed");
        QTest::addColumn<int>("expected");
        QTest::newRow("first of two, active") << 2 << 0 << 0 << 1;
        QTest::newRow("first of two, inactive") << 2 << 1 << 0 << 1;
        QTest::newRow("second of two, inactive") << 2 << 0 << 1 << 0;
        QTest::newRow("second of two, active") << 2 << 1 << 1 << 0;
        QTest::newRow("third of three, second active") << 3 << 1 << 2 << 0;
        QTest::newRow("first of three, third active") << 3 << 2 << 0 << 1;
    }

    void destroyingAGroupActivatesAnother()
    {
        QFETCH(int, count);
        QFETCH(int, active);
        QFETCH(int, destroyed);
        QFETCH(int, expected);
        Bench b(count);
        b.bar->setActiveGroup(b.groups[active]);
        delete b.groups[destroyed];
        QCOMPARE(b.bar->GroupCount(), count - 1);
        QCOMPARE(b.bar->ActiveGroup(), b.groups[expected]);
        QCOMPARE(shown(*b.bar), QList<TdxfOutlookGroup*>{b.groups[expected]});
        // The positions stay those of the list.
        for (int i = 0; i < b.bar->GroupCount(); ++i)
            QCOMPARE(b.bar->Groups(i)->Index(), i);
    }

    void aGroupLeavingForgetsEveryLinkToIt()
    {
        Bench b(2);
        b.show();
        // Hovered and pressed, then removed while the button is down.
        b.move(b.on(b.groups[1]));
        b.press(b.on(b.groups[1]));
        QCOMPARE(b.bar->HotGroup(), b.groups[1]);
        QCOMPARE(b.bar->PressedGroup(), b.groups[1]);
        // Every change vetoed: the active group cannot be handed on.
        QObject::connect(b.bar, &TdxfOutlookBar::OnBeforeChangeActiveGroup,
                         [](QObject*, TdxfOutlookGroup*, bool* allow) { *allow = false; });
        delete b.groups[1];
        QCOMPARE(b.bar->HotGroup(), nullptr);
        QCOMPARE(b.bar->PressedGroup(), nullptr);
        QVERIFY(!b.bar->Tracking());
        b.release(b.at({100, 550}));
        QCOMPARE(b.bar->ActiveGroup(), b.groups[0]);

        // The active group leaving despite the veto: no group stays active.
        delete b.groups[0];
        QCOMPARE(b.bar->GroupCount(), 0);
        QCOMPARE(b.bar->ActiveGroup(), nullptr);
        QCOMPARE(b.bar->PreviousGroup(), nullptr);
    }

    void aBarGoneFirstUnlinksItsGroups()
    {
        auto bar = std::make_unique<TdxfOutlookBar>();
        QWidget elsewhere;
        auto* g = new TdxfOutlookGroup;
        g->setBar(bar.get());
        g->setParent(&elsewhere);   // kept alive beyond the bar
        bar.reset();
        QCOMPARE(g->Bar(), nullptr);
        // Nothing left to hand over or leave when the group goes.
        delete g;
    }

    // ------------------------------------------------------------- mouse

    void clickingAHeaderActivatesItsGroup()
    {
        Bench b(2);
        b.show();
        QSignalSpy clicked(b.bar, &TdxfOutlookBar::OnClick);
        QSignalSpy changed(b.bar, &TdxfOutlookBar::OnChangeActiveGroup);

        b.press(b.on(b.groups[1]));
        QVERIFY(b.bar->Tracking());
        QCOMPARE(b.bar->PressedGroup(), b.groups[1]);
        QCOMPARE(b.bar->ActiveGroup(), b.groups[0]);
        b.release(b.on(b.groups[1]));
        QCOMPARE(b.bar->ActiveGroup(), b.groups[1]);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).value<QObject*>(), b.bar);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!b.bar->Tracking());
        QCOMPARE(b.bar->PressedGroup(), nullptr);

        // The header of the active group: a click, no change.
        b.click(b.on(b.groups[1]));
        QCOMPARE(clicked.count(), 2);
        QCOMPARE(changed.count(), 1);
    }

    void aReleaseOutsideTheBarCancels()
    {
        Bench b(2);
        b.show();
        QSignalSpy clicked(b.bar, &TdxfOutlookBar::OnClick);
        const QPoint outside = b.at({600, 300});

        b.press(b.on(b.groups[1]));
        b.move(outside);
        // Off the bar the header is no longer drawn down...
        QVERIFY(!b.bar->Tracking());
        QCOMPARE(b.bar->HotGroup(), nullptr);
        QCOMPARE(b.bar->PressedGroup(), b.groups[1]);
        // ...and back over a header it is again.
        b.move(b.on(b.groups[0]));
        QVERIFY(b.bar->Tracking());
        b.move(outside);
        b.release(outside);
        QCOMPARE(b.bar->ActiveGroup(), b.groups[0]);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(b.bar->PressedGroup(), nullptr);
        QVERIFY(!b.bar->Tracking());

        // A release anywhere inside the bar, over the shown group too,
        // completes the click of the pressed header.
        b.press(b.on(b.groups[1]));
        b.move(b.at({300, 300}));
        QVERIFY(!b.bar->Tracking());
        b.release(b.at({300, 300}));
        QCOMPARE(b.bar->ActiveGroup(), b.groups[1]);
        QCOMPARE(clicked.count(), 1);
    }

    void aDoubleClickActivatesOnceAndClicksOnce()
    {
        Bench b(2);
        b.show();
        b.bar->setActiveGroup(b.groups[1]);   // both headers at the top
        QSignalSpy clicked(b.bar, &TdxfOutlookBar::OnClick);
        QSignalSpy changed(b.bar, &TdxfOutlookBar::OnChangeActiveGroup);
        QTest::mouseDClick(b.window(), Qt::LeftButton, {}, b.on(b.groups[0]));
        QCOMPARE(b.bar->ActiveGroup(), b.groups[0]);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!b.bar->Tracking());
        QCOMPARE(b.bar->PressedGroup(), nullptr);
    }

    void hoverFollowsTheHeadersUntilThePointerLeaves()
    {
        Bench b(2);
        b.show();
        b.move(b.at({300, 600}));   // start off the bar
        b.move(b.on(b.groups[0]));
        QCOMPARE(b.bar->HotGroup(), b.groups[0]);
        QVERIFY(b.bar->Tracking());
        // The border is no header: the hovered one stays.
        b.move(b.at({1, 10}));
        QCOMPARE(b.bar->HotGroup(), b.groups[0]);
        b.move(b.on(b.groups[1]));
        QCOMPARE(b.bar->HotGroup(), b.groups[1]);
        b.move(b.at({600, 100}));
        QCOMPARE(b.bar->HotGroup(), nullptr);
        QVERIFY(!b.bar->Tracking());
        // From a header onto the shown group is leaving the bar too.
        b.move(b.on(b.groups[0]));
        QCOMPARE(b.bar->HotGroup(), b.groups[0]);
        b.move(b.at({300, 300}));
        QCOMPARE(b.bar->HotGroup(), nullptr);
    }

    void aBarWithoutGroupsOnlyClicks()
    {
        Bench b(0);
        b.show();
        QSignalSpy clicked(b.bar, &TdxfOutlookBar::OnClick);
        QSignalSpy changed(b.bar, &TdxfOutlookBar::OnChangeActiveGroup);
        for (const QPoint p : {QPoint(0, 0), QPoint(2, 2), QPoint(300, 10), QPoint(564, 561)})
            QCOMPARE(b.bar->HeaderAt(p), nullptr);
        b.click(b.at({300, 300}));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(b.bar->ActiveGroup(), nullptr);
        // A click on the border is no click of the bar.
        b.click(b.at({0, 300}));
        QCOMPARE(clicked.count(), 1);
        // Only the border and the button face.
        const QImage image = b.bar->grab().toImage();
        QCOMPARE(rgb(image, 0, 300), rgb(clBtnShadow));
        QCOMPARE(rgb(image, 10, 10), rgb(clBtnFace));
    }

    // ---------------------------------------------------------- painting

    void paintsTheBorderAndTheHeaderEdges()
    {
        Bench b(2);
        b.show();
        b.bar->setActiveGroup(b.groups[1]);   // headers at 2..23 (up) and 23..44 (down)
        QImage image = b.bar->grab().toImage();
        // The sunken client edge.
        QCOMPARE(rgb(image, 0, 300), rgb(clBtnShadow));
        QCOMPARE(rgb(image, 1, 300), rgb(cl3DDkShadow));
        QCOMPARE(rgb(image, 564, 300), rgb(clBtnHighlight));
        QCOMPARE(rgb(image, 300, 561), rgb(clBtnHighlight));
        QCOMPARE(rgb(image, 300, 0), rgb(clBtnShadow));
        // Up: light left and top, dark right and bottom.
        QCOMPARE(rgb(image, 50, 2), rgb(clBtnHighlight));
        QCOMPARE(rgb(image, 2, 12), rgb(clBtnHighlight));
        QCOMPARE(rgb(image, 50, 22), rgb(cl3DDkShadow));
        QCOMPARE(rgb(image, 562, 12), rgb(cl3DDkShadow));
        QCOMPARE(rgb(image, 50, 12), rgb(clBtnFace));
        QCOMPARE(rgb(image, 50, 21), rgb(clBtnFace));
        // Down (the active group): dark left and top, light right and bottom.
        QCOMPARE(rgb(image, 50, 23), rgb(cl3DDkShadow));
        QCOMPARE(rgb(image, 50, 43), rgb(clBtnHighlight));
        QCOMPARE(rgb(image, 50, 24), rgb(clBtnFace));
        // The shown group below the headers.
        QCOMPARE(rgb(image, 50, 46), rgb(Qt::blue));

        // Hovered: an inner edge on the up header's dark sides...
        b.move(b.on(b.groups[0]));
        image = b.bar->grab().toImage();
        QCOMPARE(rgb(image, 50, 21), rgb(clBtnShadow));
        QCOMPARE(rgb(image, 561, 12), rgb(clBtnShadow));
        // ...and on the down header's dark sides.
        b.move(b.on(b.groups[1]));
        image = b.bar->grab().toImage();
        QCOMPARE(rgb(image, 50, 21), rgb(clBtnFace));
        QCOMPARE(rgb(image, 50, 24), rgb(clBtnShadow));
        QCOMPARE(rgb(image, 3, 30), rgb(clBtnShadow));

        // Pressed while the pointer is over it: drawn down.
        b.press(b.on(b.groups[0]));
        image = b.bar->grab().toImage();
        QCOMPARE(rgb(image, 50, 2), rgb(cl3DDkShadow));
        b.move(b.at({600, 300}));
        image = b.bar->grab().toImage();
        QCOMPARE(rgb(image, 50, 2), rgb(clBtnHighlight));
        b.release(b.at({600, 300}));
    }

    void captionsAreCentredAndTurned()
    {
        Bench vertical(2);
        vertical.groups[0]->setCaption("Wg");
        QImage image = vertical.bar->grab().toImage();
        // Header 0 is down (active): its text rectangle is (5, 7, 561, 21).
        QRect text = darkPixels(image, ltrb(3, 3, 561, 21));
        QVERIFY(!text.isEmpty());
        QVERIFY(qAbs(text.center().x() - 283) <= 2);
        QVERIFY(text.top() >= 7);
        QVERIFY(text.width() > text.height());

        // Captions of the horizontal bar read from top to bottom.
        Bench horizontal(2, {300, 400}, TdxfOutlookBar::orHorz);
        horizontal.groups[0]->setCaption("Методические указания");
        image = horizontal.bar->grab().toImage();
        const QRect header = horizontal.bar->HeaderRect(horizontal.groups[0]);
        QCOMPARE(header, ltrb(2, 2, 23, 398));
        text = darkPixels(image, ltrb(3, 3, 21, 396));
        QVERIFY(!text.isEmpty());
        QVERIFY(text.height() > 5 * text.width());
        QVERIFY(qAbs(text.center().y() - 200) <= 3);
        QVERIFY(qAbs(text.center().x() - 13) <= 2);
        // The tops of the letters face right: a capital's full height
        // reaches further right than the lower-case letters start.
        const QRect capital = darkPixels(image, QRect(3, text.top(), 18, 3));
        QVERIFY(capital.right() >= text.right() - 1);
    }

    // --------------------------------------------------------- animation

    void theBenchBarSlidesInTwentyOneFrames()
    {
        Bench b(2);
        b.show();
        // During each frame: the strip of button face grows from the bottom
        // by 26 pixels per frame, with the old group's picture above it.
        QStringList faults;
        b.clock.OnSleep = [&](int k) {
            if (k >= 20)
                return;
            const QImage image = b.bar->grab().toImage();
            const int stripTop = 560 - 26 * (k + 1);
            if (rgb(image, 100, stripTop) != rgb(clBtnFace)
                || rgb(image, 100, stripTop - 1) != rgb(Qt::red))
                faults << QString::number(k);
        };
        b.bar->setActiveGroup(b.groups[1]);
        QCOMPARE(b.clock.Sleeps, std::vector<int>(21, 9));
        QVERIFY2(faults.isEmpty(), qPrintable("frames " + faults.join(", ")));
        QCOMPARE(shown(*b.bar), QList<TdxfOutlookGroup*>{b.groups[1]});
        const QImage image = b.bar->grab().toImage();
        QCOMPARE(rgb(image, 100, 300), rgb(Qt::blue));

        // Back up: 21 frames again.
        b.clock.OnSleep = nullptr;
        b.clock.Sleeps.clear();
        b.bar->setActiveGroup(b.groups[0]);
        QCOMPARE(b.clock.Sleeps, std::vector<int>(21, 9));
    }

    void slowFramesSleepOnlyForTheRest()
    {
        Bench b(2);
        b.show();
        b.clock.ReadCost = 5;   // each frame takes 5 ms
        b.bar->setActiveGroup(b.groups[1]);
        QCOMPARE(b.clock.Sleeps, std::vector<int>(21, 4));

        b.clock.Sleeps.clear();
        b.clock.Reads = 0;
        b.clock.ReadCost = 10;  // slower than the frame time: no sleep
        b.bar->setActiveGroup(b.groups[0]);
        QVERIFY(b.clock.Sleeps.empty());
        QCOMPARE(b.clock.Reads, 2 * 21);
    }

    void aTinyBarAnimatesWithoutSleeping()
    {
        Bench b(2, {100, 40});
        b.show();
        b.bar->setActiveGroup(b.groups[1]);
        QCOMPARE(b.clock.Reads, 2 * 21);
        QVERIFY(b.clock.Sleeps.empty());
        QCOMPARE(b.bar->ActiveGroup(), b.groups[1]);
    }

    void aBarOffScreenDoesNotAnimate()
    {
        Bench b(2);
        b.bar->setActiveGroup(b.groups[1]);
        QCOMPARE(b.clock.Reads, 0);
        QCOMPARE(b.bar->ActiveGroup(), b.groups[1]);
        QCOMPARE(b.bar->PreviousGroup(), b.groups[1]);
    }
};

QTEST_MAIN(tst_TdxfOutlookBar)
#include "tst_TdxfOutlookBar.moc"
