// "Регистрация" on the real main window: the journal record it leaves, the
// turn to the theory page, and a failure reported in the error box with
// the page kept on "1" so that a second press works; a busy journal is
// waited for with the window alive.
#include "support/ForeignLock.h"
#include "support/JournalFixture.h"
#include "support/WindowDriver.h"

#include "journal/JournalBusy.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using namespace fixture;

class tst_Unit1Registration : public QObject
{
    Q_OBJECT

private slots:
    void registrationTurnsToTheTheoryPage();
    void failureKeepsThePageAndASecondPressWorks();
    void aBusyJournalIsWaitedForWithTheWindowAlive();
};

void tst_Unit1Registration::registrationTurnsToTheTheoryPage()
{
    WindowDriver w;
    w.registerStudent(QStringLiteral("Иванов И.И."), QStringLiteral("42"));

    QCOMPARE(w.Dialogs.take(), QStringList());
    QCOMPARE(w.page(), QStringLiteral("1_2"));
    QCOMPARE(w.journalBytes(), record(QStringLiteral("Иванов И.И."), "42"));
}

void tst_Unit1Registration::failureKeepsThePageAndASecondPressWorks()
{
    WindowDriver w;
    w.click("dxfColorButton2");
    w.control<QLineEdit>("EShifr")->setText(QStringLiteral("4a"));
    w.click("dxfColorButton4");

    QCOMPARE(w.Dialogs.take(), QStringList { QStringLiteral("error: '4a' is not a valid integer value") });
    QCOMPARE(w.page(), QStringLiteral("1"));
    QVERIFY(!QFile::exists(w.file(QStringLiteral("Students.DAT"))));

    w.control<QLineEdit>("EShifr")->setText(QStringLiteral("4"));
    w.click("dxfColorButton4");
    QCOMPARE(w.page(), QStringLiteral("1_2"));
    QCOMPARE(w.journalBytes().size(), 73);
    QCOMPARE(w.ProgramEnd.Ended, 0);
}

void tst_Unit1Registration::aBusyJournalIsWaitedForWithTheWindowAlive()
{
    WindowDriver w;
    writeFile(w.file(QStringLiteral("Students.DAT")), record(QStringLiteral("А"), "1"));
    ForeignLock other(w.file(QStringLiteral("Students.DAT")));
    w.click("dxfColorButton2");
    w.control<QLineEdit>("EShifr")->setText(QStringLiteral("2"));

    // Events of the window are handled while the journal is waited for,
    // under the wait cursor, before the handler has ended.
    int shownWhenHandled = -1;
    bool waitCursor = false;
    QTimer::singleShot(0, [&] {
        shownWhenHandled = int(w.Dialogs.Shown.size());
        waitCursor = QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    w.click("dxfColorButton4");
    QCOMPARE(shownWhenHandled, 0);
    QVERIFY(waitCursor);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(w.Clock.Slept, 5000);
    QCOMPARE(w.Dialogs.take(), QStringList { QStringLiteral("error: ") + JournalBusy::busyText() });
    QCOMPARE(w.page(), QStringLiteral("1"));

    other.unlock();
    w.click("dxfColorButton4");
    QCOMPARE(w.page(), QStringLiteral("1_2"));
    QCOMPARE(w.journalBytes().size(), 2 * 73);
}

QTEST_MAIN(tst_Unit1Registration)
#include "tst_Unit1Registration.moc"
