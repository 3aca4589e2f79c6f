// Faulty question banks on the real main window: a missing, empty or cut
// bank at registration and when the test turns to the
// second bank, what the student is told, what stays, and how the test
// goes on once the bank is mended.
#include "support/BankFixture.h"
#include "support/Draws.h"
#include "support/JournalFixture.h"
#include "support/WindowDriver.h"

#include "admission/run/TestRun.h"
#include "app/Unit1.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfTimer/TdxfTimer.h"

#include <QApplication>
#include <QtTest>

using namespace fixture;

namespace {

const QString Fio = QStringLiteral("Иванов И.И.");

enum Fault { Missing, Empty, Cut };

// Spoils the bank as the fault says.
void spoil(const WindowDriver& s, const QString& name, Fault fault)
{
    const QString path = s.file(name);
    switch (fault) {
    case Missing:
        QFile::remove(path);
        break;
    case Empty:
        writeFile(path, QByteArray());
        break;
    case Cut:
        // Less than one whole record.
        writeFile(path, bytesOf(question(QStringLiteral("Обрывок"), 0, 1)).left(1287));
        break;
    }
}

// Puts the bank back as it was written.
void mend(const WindowDriver& s, const QString& name, const Bank& b)
{
    const QString path = s.file(name);
    QFile::remove(path);
    writeFile(path, bytesOf(b));
}

// Both banks of four questions written, the test started and four
// questions answered right; then the second bank spoiled as the fault
// says, before the fifth is judged.
void reachTheFifthWithTheSecondBankSpoiled(WindowDriver& s, Fault fault)
{
    s.writeBanks(firstBank(4), secondBank(4));
    s.startTest(Fio, QStringLiteral("42"));
    for (int q = 1; q <= 4; ++q)
        s.answer(true);
    spoil(s, QStringLiteral("Qest1.txt"), fault);
}

// Each way a bank can be unusable, with the error the student sees.
void addBankFaultRows()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing") << Missing << QStringLiteral("error: File not found");
    QTest::newRow("empty") << Empty << QStringLiteral("error: Read beyond end of file");
    QTest::newRow("no whole record") << Cut << QStringLiteral("error: Read beyond end of file");
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class tst_TestRunFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void firstBankFaultAtRegistration_data();
    void firstBankFaultAtRegistration();
    void secondBankFaultWhenTheFifthIsJudged_data();
    void secondBankFaultWhenTheFifthIsJudged();
    void testGoesOnOnceTheSecondBankIsBack_data();
    void testGoesOnOnceTheSecondBankIsBack();
    void givingUpAfterTheSecondBankWasMissing();
    void partialRecordIsNeverDrawn();
};

void tst_TestRunFailures::firstBankFaultAtRegistration_data()
{
    addBankFaultRows();
}

void tst_TestRunFailures::firstBankFaultAtRegistration()
{
    QFETCH(Fault, fault);
    QFETCH(QString, error);
    WindowDriver s;
    const Bank first = firstBank(3);
    s.writeBanks(first, secondBank(3));
    spoil(s, QStringLiteral("Qest.txt"), fault);

    s.registerStudent(Fio, QStringLiteral("42"));
    QCOMPARE(s.Dialogs.take(), QStringList({error}));
    QCOMPARE(s.page(), QStringLiteral("1"));
    // The new student was stored before the bank was opened.
    QCOMPARE(s.journalBytes(), record(Fio, "42"));

    // A second press finds the student and appends nothing.
    s.click("dxfColorButton4");
    QCOMPARE(s.Dialogs.take(), QStringList({error}));
    QCOMPARE(s.page(), QStringLiteral("1"));
    QCOMPARE(s.journalBytes(), record(Fio, "42"));

    // With the bank mended the registration goes through.
    mend(s, QStringLiteral("Qest.txt"), first);
    s.click("dxfColorButton4");
    QCOMPARE(s.Dialogs.take(), QStringList());
    QCOMPARE(s.page(), QStringLiteral("1_2"));
    QCOMPARE(s.journalBytes(), record(Fio, "42"));
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 1"));
    QVERIFY(s.questionOnShow());
    QVERIFY(!s.timer()->Running());
}

void tst_TestRunFailures::secondBankFaultWhenTheFifthIsJudged_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("timedOut");
    QTest::addColumn<QStringList>("shown");
    const QString timeOut = QStringLiteral("message: End of Time");
    const QString notFound = QStringLiteral("error: File not found");
    const QString beyond = QStringLiteral("error: Read beyond end of file");
    QTest::newRow("missing, OK") << Missing << false << QStringList({notFound});
    QTest::newRow("missing, time out") << Missing << true << QStringList({timeOut, notFound});
    QTest::newRow("empty, OK") << Empty << false << QStringList({beyond});
    QTest::newRow("no whole record, time out") << Cut << true << QStringList({timeOut, beyond});
}

void tst_TestRunFailures::secondBankFaultWhenTheFifthIsJudged()
{
    QFETCH(Fault, fault);
    QFETCH(bool, timedOut);
    QFETCH(QStringList, shown);
    WindowDriver s;
    reachTheFifthWithTheSecondBankSpoiled(s, fault);

    s.chooseAnswer(true);
    if (timedOut) {
        s.Clock.advance(45'000);
        s.timer()->Tick();
    } else {
        s.ok();
    }
    QCOMPARE(s.Dialogs.take(), shown);
    // Question 5 is judged and counted; it stays on show, and nothing is
    // timed while the bank is mended.
    QCOMPARE(s.form().testRun().RightCount(), 5);
    QCOMPARE(s.page(), QStringLiteral("2"));
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 5"));
    QVERIFY(!s.timer()->Running());
    s.Clock.advance(60'000);
    QVERIFY(!s.countdownTicks());
    QCOMPARE(s.journalBytes(), record(Fio, "42"));
}

void tst_TestRunFailures::testGoesOnOnceTheSecondBankIsBack_data()
{
    // An empty bank and one of no whole record were open when their draw
    // failed; a new file put in its place (as the bank tool writes one)
    // must be the one read next.
    addBankFaultRows();
}

void tst_TestRunFailures::testGoesOnOnceTheSecondBankIsBack()
{
    QFETCH(Fault, fault);
    QFETCH(QString, error);
    WindowDriver s;
    reachTheFifthWithTheSecondBankSpoiled(s, fault);
    s.answer(true);
    QCOMPARE(s.Dialogs.take(), QStringList({error}));
    QCOMPARE(s.form().testRun().RightCount(), 5);

    // Pressed again with the bank back: question 5 is not counted twice,
    // a bank already closed is not closed again, and question 6 comes from
    // the second bank with its full time.
    mend(s, QStringLiteral("Qest1.txt"), secondBank(4));
    s.ok();
    QCOMPARE(s.Dialogs.take(), QStringList());
    QCOMPARE(s.form().testRun().RightCount(), 5);
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 6"));
    QVERIFY(s.questionText().startsWith(QStringLiteral("Второй банк")));
    QVERIFY(s.timer()->Running());
    QCOMPARE(s.timer()->GetDisplayText(), QStringLiteral("45"));

    for (int q = 6; q <= 10; ++q) {
        QVERIFY(s.questionText().startsWith(QStringLiteral("Второй банк")));
        s.answer(true);
    }
    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: Правильных ответов - 10")}));
    QCOMPARE(s.journalBytes(), withVerdictField(record(Fio, "42", "10"), "05E7E0F765F2F7E5F2"));
    QCOMPARE(s.page(), QStringLiteral("3"));
}

void tst_TestRunFailures::givingUpAfterTheSecondBankWasMissing()
{
    WindowDriver s;
    reachTheFifthWithTheSecondBankSpoiled(s, Missing);
    s.answer(true);
    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("error: File not found")}));

    // No bank is open now; "Закрыть" still stores the record, closes the
    // journal and the window.
    s.click("dxfColorButton1");
    QCOMPARE(s.Dialogs.take(), QStringList());
    QCOMPARE(s.journalBytes(), record(Fio, "42"));
    QVERIFY(!s.form().journal().isOpen());
    QVERIFY(!s.form().isVisible());
}

void tst_TestRunFailures::partialRecordIsNeverDrawn()
{
    WindowDriver s;
    const QTime utc(11, 11, 11, 111);
    s.Clock.Utc = utc;
    // Were the cut record counted, this seed would draw it.
    Draws draws(utc);
    bool wouldDrawIt = false;
    for (int q = 1; q <= 10; ++q)
        wouldDrawIt = draws.next(2) == 1 || wouldDrawIt;
    QVERIFY(wouldDrawIt);

    const QByteArray cut = bytesOf(question(QStringLiteral("Обрывок"), 1, 1)).left(1287);
    const Bank first = firstBank(1);
    const Bank second = secondBank(1);
    s.writeBanks(first, second, cut, cut);
    s.startTest(Fio, QStringLiteral("42"));
    for (int q = 1; q <= 10; ++q) {
        QCOMPARE(s.questionText(), (q <= 5 ? first : second)[0].Question.text());
        s.answer(true);
    }
    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: Правильных ответов - 10")}));
    QCOMPARE(s.page(), QStringLiteral("3"));
}

QTEST_MAIN(tst_TestRunFailures)
#include "tst_TestRunFailures.moc"
