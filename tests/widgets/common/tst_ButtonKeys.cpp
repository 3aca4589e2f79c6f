// The keys that work the speed and colour buttons: Space held, Enter as a
// whole click; a key with a modifier, a repeat or a disabled button do
// nothing of the button's.
#include "widgets/common/ButtonKeys.h"

#include <QKeyEvent>
#include <QtTest>

class tst_ButtonKeys : public QObject
{
    Q_OBJECT

private slots:
    void pressesAndReleases_data();
    void pressesAndReleases();
};

void tst_ButtonKeys::pressesAndReleases_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("press");
    QTest::addColumn<bool>("spaceUp");

    const int none = Qt::NoModifier;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << false << true << int(ButtonKeys::SpaceDown) << true;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << false << true << int(ButtonKeys::EnterClick) << false;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << true
                                  << int(ButtonKeys::EnterClick) << false;
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << false << true
                                << int(ButtonKeys::NotOurs) << true;
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false << true
                                  << int(ButtonKeys::NotOurs) << false;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << false << true << int(ButtonKeys::NotOurs) << false;
    QTest::newRow("Space repeated") << int(Qt::Key_Space) << none << true << true << int(ButtonKeys::Swallowed)
                                    << false;
    QTest::newRow("Return, disabled") << int(Qt::Key_Return) << none << false << false
                                      << int(ButtonKeys::Swallowed) << false;
}

void tst_ButtonKeys::pressesAndReleases()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, repeat);
    QFETCH(bool, enabled);
    const QKeyEvent down(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), repeat);
    const QKeyEvent up(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), QString(), repeat);
    QTEST(int(ButtonKeys::press(&down, enabled)), "press");
    QTEST(ButtonKeys::spaceUp(&up), "spaceUp");
}

QTEST_MAIN(tst_ButtonKeys)
#include "tst_ButtonKeys.moc"
