// "Регистрация" on the real main window: the journal record it leaves, the
// turn to the theory page, and a failure reported in the error box with
// the page kept on "1" so that a second press works.
#include "support/JournalFixture.h"

#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeProgramEnd.h"
#include "support/LabFolder.h"
#include "platform/controls/TNotebook.h"
#include "app/Unit1.h"

#include <QLineEdit>
#include <QtTest>

using namespace fixture;

namespace {

template <class T>
T* control(const TForm1& form, const char* name)
{
    T* found = form.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

void press(const TForm1& form, const char* name)
{
    QWidget* button = control<QWidget>(form, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

} // namespace

class tst_Unit1Registration : public QObject
{
    Q_OBJECT

private slots:
    void registrationTurnsToTheTheoryPage();
    void failureKeepsThePageAndASecondPressWorks();

private:
    FakeDialogs dialogs;
    FakeClock clock;
    FakeProgramEnd programEnd;
};

void tst_Unit1Registration::registrationTurnsToTheTheoryPage()
{
    LabFolder lab;
    TForm1 form(dialogs, clock, programEnd);
    dialogs.take();
    press(form, "dxfColorButton2");
    control<QLineEdit>(form, "EFIO")->setText(QStringLiteral("Иванов И.И."));
    control<QLineEdit>(form, "EShifr")->setText(QStringLiteral("42"));
    press(form, "dxfColorButton4");

    QCOMPARE(dialogs.take(), QStringList());
    QCOMPARE(control<TNotebook>(form, "Nb1")->ActivePage(), QStringLiteral("1_2"));
    QCOMPARE(readFile(lab.file(QStringLiteral("Students.DAT"))), record(QStringLiteral("Иванов И.И."), "42"));
}

void tst_Unit1Registration::failureKeepsThePageAndASecondPressWorks()
{
    LabFolder lab;
    TForm1 form(dialogs, clock, programEnd);
    dialogs.take();
    press(form, "dxfColorButton2");
    control<QLineEdit>(form, "EShifr")->setText(QStringLiteral("4a"));
    press(form, "dxfColorButton4");

    QCOMPARE(dialogs.take(), QStringList { QStringLiteral("error: '4a' is not a valid integer value") });
    QCOMPARE(control<TNotebook>(form, "Nb1")->ActivePage(), QStringLiteral("1"));
    QVERIFY(!QFile::exists(lab.file(QStringLiteral("Students.DAT"))));

    control<QLineEdit>(form, "EShifr")->setText(QStringLiteral("4"));
    press(form, "dxfColorButton4");
    QCOMPARE(control<TNotebook>(form, "Nb1")->ActivePage(), QStringLiteral("1_2"));
    QCOMPARE(readFile(lab.file(QStringLiteral("Students.DAT"))).size(), 73);
    QCOMPARE(programEnd.Ended, 0);
}

QTEST_MAIN(tst_Unit1Registration)
#include "tst_Unit1Registration.moc"
