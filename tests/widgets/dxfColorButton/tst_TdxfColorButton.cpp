// The colour button's mouse rules: clicks, dragging out and back in, the
// elliptic shape, double clicks, disabled buttons, Down and the groups.
#include "widgets/dxfColorButton/TdxfColorButton.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A member of a group that is not a colour button, as a glyph check box.
class OtherMember : public QWidget, public ButtonGroupNotice
{
public:
    using QWidget::QWidget;
    void buttonPressed(int groupIndex, QWidget* sender) override { Seen << qMakePair(groupIndex, sender); }
    QList<QPair<int, QWidget*>> Seen;
};

struct Bench
{
    QWidget Page;
    TdxfColorButton* Button = new TdxfColorButton(&Page);

    Bench()
    {
        Page.resize(300, 200);
        Button->setGeometry(50, 50, 99, 40);
        Button->setCaption(QString("Далее..."));
    }
};

const QPoint Centre(49, 20);
// Inside the bounds of a 99 x 40 button but outside its ellipse.
const QPoint Corner(1, 1);

} // namespace

class tst_TdxfColorButton : public QObject
{
    Q_OBJECT

private slots:
    void clickRunsWhileTheFaceShowsPressed()
    {
        Bench b;
        QList<bool> pressedInHandler;
        connect(b.Button, &TdxfColorButton::OnClick, this, [&](QObject* sender) {
            QCOMPARE(sender, b.Button);
            pressedInHandler << b.Button->Pressed();
        });
        QTest::mousePress(b.Button, Qt::LeftButton, {}, Centre);
        QVERIFY(b.Button->Pressed());
        QTest::mouseRelease(b.Button, Qt::LeftButton, {}, Centre);
        QCOMPARE(pressedInHandler, QList<bool>{true});
        QVERIFY(!b.Button->Pressed());
        QVERIFY(!b.Button->Down());
    }

    void leavingDuringTheClickWaitsForTheHandler_data()
    {
        QTest::addColumn<int>("group");
        QTest::newRow("plain") << 0;
        QTest::newRow("grouped") << 4;
    }
    void leavingDuringTheClickWaitsForTheHandler()
    {
        // A message box opened by the handler takes the pointer away.
        QFETCH(int, group);
        Bench b;
        b.Button->setGroupIndex(group);
        bool pressedAfterLeaving = false;
        connect(b.Button, &TdxfColorButton::OnClick, this, [&] {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(b.Button, &leave);
            pressedAfterLeaving = b.Button->Pressed();
        });
        QTest::mouseClick(b.Button, Qt::LeftButton, {}, Centre);
        QVERIFY(pressedAfterLeaving);
        QCOMPARE(b.Button->Down(), group != 0);
        QCOMPARE(b.Button->Pressed(), group != 0);
    }

    // Dragged off the ellipse the face comes up; the release is a click
    // when it lies inside the button's rectangle, as the window system
    // decides a click.
    void dragOutAndRelease_data()
    {
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("clicks");
        QTest::newRow("outside the rectangle") << QPoint(200, 20) << 0;
        QTest::newRow("in the corner off the ellipse") << Corner << 1;
    }
    void dragOutAndRelease()
    {
        QFETCH(QPoint, release);
        QFETCH(int, clicks);
        Bench b;
        QSignalSpy clicked(b.Button, &TdxfColorButton::OnClick);
        QTest::mousePress(b.Button, Qt::LeftButton, {}, Centre);
        QTest::mouseMove(b.Button, release);
        QVERIFY(!b.Button->Pressed());
        QTest::mouseRelease(b.Button, Qt::LeftButton, {}, release);
        QCOMPARE(clicked.count(), clicks);
        QVERIFY(!b.Button->Pressed());
    }

    void dragBackInBeforeTheRelease()
    {
        Bench b;
        QSignalSpy clicks(b.Button, &TdxfColorButton::OnClick);
        QTest::mousePress(b.Button, Qt::LeftButton, {}, Centre);
        QTest::mouseMove(b.Button, QPoint(200, 20));
        QVERIFY(!b.Button->Pressed());
        QTest::mouseMove(b.Button, QPoint(60, 25));
        QVERIFY(b.Button->Pressed());
        QTest::mouseRelease(b.Button, Qt::LeftButton, {}, QPoint(60, 25));
        QCOMPARE(clicks.count(), 1);
        QVERIFY(!b.Button->Pressed());
    }

    void pressOutsideTheEllipseGoesToTheParent()
    {
        Bench b;
        b.Page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.Page));
        QSignalSpy clicks(b.Button, &TdxfColorButton::OnClick);
        QWindow* window = b.Page.windowHandle();
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(50, 50) + Corner);
        QCOMPARE(clicks.count(), 0);
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(50, 50) + Centre);
        QCOMPARE(clicks.count(), 1);
    }

    void doubleClickGivesOneClickAndOneDoubleClick()
    {
        Bench b;
        QSignalSpy clicks(b.Button, &TdxfColorButton::OnClick);
        QSignalSpy doubles(b.Button, &TdxfColorButton::OnDblClick);
        QTest::mouseClick(b.Button, Qt::LeftButton, {}, Centre);
        QTest::mouseDClick(b.Button, Qt::LeftButton, {}, Centre);
        QVERIFY(b.Button->Pressed());
        QTest::mouseRelease(b.Button, Qt::LeftButton, {}, Centre);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(doubles.count(), 1);
        QVERIFY(!b.Button->Pressed());
    }

    void disabledButtonRaisesNothing()
    {
        Bench b;
        b.Button->setEnabled(false);
        QSignalSpy clicks(b.Button, &TdxfColorButton::OnClick);
        b.Page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.Page));
        QTest::mouseClick(b.Page.windowHandle(), Qt::LeftButton, {}, QPoint(50, 50) + Centre);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!b.Button->Pressed());
        b.Button->Click();
        QCOMPARE(clicks.count(), 0);
    }

    void downOnAPlainButtonStaysUp()
    {
        Bench b;
        b.Button->setDown(true);
        QVERIFY(!b.Button->Down());
        QVERIFY(!b.Button->Pressed());
    }

    void downReleasesTheGroupSilently()
    {
        QWidget panel;
        QWidget otherPanel;
        TdxfColorButton a(&panel);
        TdxfColorButton b(&panel);
        TdxfColorButton otherGroup(&panel);
        TdxfColorButton elsewhere(&otherPanel);
        OtherMember box(&panel);
        for (TdxfColorButton* x : {&a, &b, &elsewhere})
            x->setGroupIndex(1);
        otherGroup.setGroupIndex(2);
        a.setDown(true);
        otherGroup.setDown(true);
        elsewhere.setDown(true);
        QList<QSignalSpy*> spies;
        for (TdxfColorButton* x : {&a, &b, &otherGroup, &elsewhere})
            spies << new QSignalSpy(x, &TdxfColorButton::OnClick);

        b.setDown(true);
        QVERIFY(b.Down() && b.Pressed());
        QVERIFY(!a.Down() && !a.Pressed());
        QVERIFY(otherGroup.Down());
        QVERIFY(elsewhere.Down());
        QCOMPARE(box.Seen.last(), qMakePair(1, static_cast<QWidget*>(&b)));
        for (QSignalSpy* spy : spies)
            QCOMPARE(spy->count(), 0);
        qDeleteAll(spies);
    }

    void groupedClicksLatch_data()
    {
        QTest::addColumn<bool>("allowAllUp");
        QTest::addColumn<QList<bool>>("downAfterEachClick");
        QTest::newRow("stays down") << false << QList<bool>{true, true};
        QTest::newRow("all up allowed") << true << QList<bool>{true, false, true};
    }
    void groupedClicksLatch()
    {
        QFETCH(bool, allowAllUp);
        QFETCH(QList<bool>, downAfterEachClick);
        Bench b;
        auto* sibling = new TdxfColorButton(&b.Page);
        sibling->setGroupIndex(3);
        sibling->setDown(true);
        b.Button->setGroupIndex(3);
        b.Button->setAllowAllUp(allowAllUp);
        QSignalSpy clicks(b.Button, &TdxfColorButton::OnClick);
        QList<bool> seen;
        for (int i = 0; i < downAfterEachClick.size(); ++i) {
            QTest::mouseClick(b.Button, Qt::LeftButton, {}, Centre);
            seen << b.Button->Down();
            QCOMPARE(b.Button->Pressed(), b.Button->Down());
        }
        QCOMPARE(seen, downAfterEachClick);
        QCOMPARE(clicks.count(), downAfterEachClick.size());
        QVERIFY(!sibling->Down());
    }

    void groupedReleaseOutside()
    {
        Bench b;
        b.Button->setGroupIndex(1);
        // An up button pressed and released away stays up.
        QTest::mousePress(b.Button, Qt::LeftButton, {}, Centre);
        QTest::mouseMove(b.Button, QPoint(200, 20));
        QTest::mouseRelease(b.Button, Qt::LeftButton, {}, QPoint(200, 20));
        QVERIFY(!b.Button->Down());
        QVERIFY(!b.Button->Pressed());
        // A down button keeps its face while the pointer is away, and
        // comes up when released there.
        b.Button->setDown(true);
        QTest::mousePress(b.Button, Qt::LeftButton, {}, Centre);
        QTest::mouseMove(b.Button, QPoint(200, 20));
        QVERIFY(b.Button->Pressed());
        QTest::mouseRelease(b.Button, Qt::LeftButton, {}, QPoint(200, 20));
        QVERIFY(!b.Button->Down());
        QVERIFY(!b.Button->Pressed());
    }

    void handlerMayDeleteTheButton()
    {
        Bench b;
        connect(b.Button, &TdxfColorButton::OnClick, this, [&] { delete b.Button; });
        QPointer<TdxfColorButton> guard(b.Button);
        QTest::mouseClick(b.Button, Qt::LeftButton, {}, Centre);
        QVERIFY(!guard);
    }

    void propertiesFromTheStoredForm()
    {
        TdxfColorButton b;
        QVERIFY(b.setProperty("Color", "clAqua"));
        QCOMPARE(b.Color(), clAqua);
        QVERIFY(b.setProperty("Layout", "dxfGlyphTop"));
        QCOMPARE(b.Layout(), TdxfColorButton::dxfGlyphTop);
        QVERIFY(b.setProperty("Caption", QStringList{"Далее...", "дальше"}));
        QCOMPARE(b.Caption().size(), 2);
        b.setCaption(QString("Первая\nвторая\r\nтретья"));
        QCOMPARE(b.Caption(), (QStringList{"Первая", "вторая", "третья"}));
        b.setCaption(QString());
        QVERIFY(b.Caption().isEmpty());
    }
};

QTEST_MAIN(tst_TdxfColorButton)
#include "tst_TdxfColorButton.moc"
