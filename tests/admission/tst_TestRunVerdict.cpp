// The end of the admission test on the real main window: the verdict and
// score stored in the student's 73-byte journal record, the result
// message, the bench after a pass, the program end after a fail, and the
// record left as it was when the test is given up with "Закрыть".
#include "support/BankFixture.h"
#include "support/Draws.h"
#include "support/JournalFixture.h"
#include "support/WindowDriver.h"

#include "widgets/controls/TRichEdit.h"
#include "admission/run/TestRun.h"
#include "app/Unit1.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfTimer/TdxfTimer.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QtTest>

using namespace fixture;

namespace {

const QString Fio = QStringLiteral("Иванов И.И.");

// The order in which the questions are answered right: a test with r
// right answers gets the first r of these right and the rest wrong, so the
// right ones fall on both banks.
const int RightOrder[10] = {6, 1, 10, 3, 8, 5, 2, 9, 4, 7};

bool answeredRight(int question, int right)
{
    for (int i = 0; i < right; ++i)
        if (RightOrder[i] == question)
            return true;
    return false;
}

// Instructions that tell themselves apart from the lab folder's own.
const QByteArray NewInstructions = "{\\rtf1\\ansi Instructions as they stand after the test\\par}";

// A journal of two students from earlier runs: one who finished the work,
// and code 7, who failed the test and has two measurements done.
QByteArray earlierJournal()
{
    return record(QStringLiteral("Сидоров С.С."), "12", "8", StudentRecord::VerdictPassed, "++++++", cp(QStringLiteral("выполнена")))
        + record(QStringLiteral("Петров П.П."), "7", "9", StudentRecord::VerdictFailed, "+-+---");
}

} // namespace

class tst_TestRunVerdict : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void verdictFollowsTheRightCount_data();
    void verdictFollowsTheRightCount();
    void passWithUnreadableInstructionsStillOpensTheBench();
    void knownStudentGetsTheNewVerdictInHisRecord();
    void givingUpKeepsTheRecord_data();
    void givingUpKeepsTheRecord();
};

void tst_TestRunVerdict::verdictFollowsTheRightCount_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("result");
    // The record while the result is on show, and after it has been closed.
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<QByteArray>("stored");

    // "зачeт" over the "не зачет" of registration keeps the last three
    // bytes of the earlier text behind its length, "незачeт" the last one.
    // A failed test is stored as failed before the student is told.
    const auto passed = [](const QByteArray& score) {
        return withVerdictField(record(Fio, "42", score), "05E7E0F765F2F7E5F2");
    };
    const auto failed = [](const QByteArray& score) {
        return withVerdictField(record(Fio, "42", score), "07EDE5E7E0F765F2F2");
    };
    const QString low = QStringLiteral("- Уровень Ваших знаний очень низок");
    QTest::newRow("10 right") << 10 << QStringLiteral("Правильных ответов - 10") << passed("10") << passed("10");
    QTest::newRow("8 right") << 8 << QStringLiteral("Правильных ответов - 8") << passed("8") << passed("8");
    QTest::newRow("7 right") << 7 << QStringLiteral("Правильных ответов - 7") << passed("7") << passed("7");
    QTest::newRow("6 right") << 6 << QStringLiteral("Правильных ответов - 6") + low << failed("6") << failed("6");
    QTest::newRow("5 right") << 5 << QStringLiteral("Правильных ответов - 5- Уровень Ваших знаний очень низок")
                             << failed("5") << failed("5");
    QTest::newRow("0 right") << 0 << QStringLiteral("Правильных ответов - 0") + low << failed("0") << failed("0");
}

void tst_TestRunVerdict::verdictFollowsTheRightCount()
{
    QFETCH(int, right);
    QFETCH(QString, result);
    QFETCH(QByteArray, shown);
    QFETCH(QByteArray, stored);
    const bool pass = right >= 7;

    WindowDriver s;
    s.writeBanks(firstBank(5), secondBank(5));
    s.startTest(Fio, QStringLiteral("42"));
    QCOMPARE(s.journalBytes(), record(Fio, "42"));
    auto* instructions = s.control<TRichEdit>("RichEdit1");
    const QString startUpInstructions = instructions->toPlainText();
    // The instructions are changed on disk while the test runs.
    writeFile(s.file(QStringLiteral("1.rtf")), NewInstructions);

    struct
    {
        QByteArray journal;
        QString page;
        QString instructions;
        bool visible = false;
        int ended = -1;
    } meanwhile;
    s.Dialogs.onShow = [&](const QString&, const QString&) {
        meanwhile.journal = s.journalBytes();
        meanwhile.page = s.page();
        meanwhile.instructions = instructions->toPlainText();
        meanwhile.visible = s.form().isVisible();
        meanwhile.ended = s.ProgramEnd.Ended;
    };
    for (int q = 1; q <= 10; ++q)
        s.answer(answeredRight(q, right));

    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: ") + result}));
    QCOMPARE(s.form().testRun().RightCount(), right);
    // While the result is on show: the verdict stored, nothing else done.
    QCOMPARE(meanwhile.journal, shown);
    QCOMPARE(meanwhile.page, QStringLiteral("2"));
    QCOMPARE(meanwhile.instructions, startUpInstructions);
    QVERIFY(meanwhile.visible);
    QCOMPARE(meanwhile.ended, 0);
    QVERIFY(!s.timer()->Running());

    QCOMPARE(s.journalBytes(), stored);
    if (pass) {
        QCOMPARE(s.page(), QStringLiteral("3"));
        QCOMPARE(instructions->toPlainText(), QStringLiteral("Instructions as they stand after the test"));
        QVERIFY(s.form().isVisible());
        QCOMPARE(s.ProgramEnd.Ended, 0);
        // The journal stays open on the record for the bench.
        QVERIFY(s.form().journal().isOpen());
        QCOMPARE(s.form().journal().file().filePos(), 0);
    } else {
        QVERIFY(!s.form().isVisible());
        QCOMPARE(s.ProgramEnd.Ended, 1);
    }
}

void tst_TestRunVerdict::passWithUnreadableInstructionsStillOpensTheBench()
{
    WindowDriver s;
    s.writeBanks(firstBank(5), secondBank(5));
    s.startTest(Fio, QStringLiteral("42"));
    auto* instructions = s.control<TRichEdit>("RichEdit1");
    const QString startUpInstructions = instructions->toPlainText();
    QFile::remove(s.file(QStringLiteral("1.rtf")));
    for (int q = 1; q <= 10; ++q)
        s.answer(true);

    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: Правильных ответов - 10"),
                                            QStringLiteral("error: Cannot open file ") + s.file("1.rtf")}));
    QCOMPARE(s.page(), QStringLiteral("3"));
    // Not the text read at start-up: the view's built-in text.
    QWidget host;
    Ui::TForm1 stored;
    stored.setupUi(&host);
    QVERIFY(instructions->toPlainText() != startUpInstructions);
    QCOMPARE(instructions->toPlainText(), stored.RichEdit1->toPlainText());
    QCOMPARE(s.journalBytes(), withVerdictField(record(Fio, "42", "10"), "05E7E0F765F2F7E5F2"));
}

void tst_TestRunVerdict::knownStudentGetsTheNewVerdictInHisRecord()
{
    WindowDriver s;
    writeFile(s.file(QStringLiteral("Students.DAT")), earlierJournal());
    s.writeBanks(firstBank(5), secondBank(5));
    s.startTest(QStringLiteral("Другой Д.Д."), QStringLiteral("007"));
    QCOMPARE(s.journalBytes(), earlierJournal());
    for (int q = 1; q <= 10; ++q)
        s.answer(answeredRight(q, 7));

    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: Правильных ответов - 7")}));
    // Only Score and Verdict of the second record change; its name and
    // flags stay; "зачeт" over "незачeт" keeps the bytes behind it.
    const QByteArray expected = earlierJournal().left(73)
        + withVerdictField(record(QStringLiteral("Петров П.П."), "7", "7", QByteArray(), "+-+---"),
                           "05E7E0F765F265F200");
    QCOMPARE(s.journalBytes(), expected);
    QCOMPARE(s.page(), QStringLiteral("3"));
}

void tst_TestRunVerdict::givingUpKeepsTheRecord_data()
{
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("answered");
    QTest::newRow("new student at question 1") << false << 0;
    QTest::newRow("new student at question 7") << false << 6;
    QTest::newRow("known student at question 3") << true << 2;
}

void tst_TestRunVerdict::givingUpKeepsTheRecord()
{
    QFETCH(bool, known);
    QFETCH(int, answered);
    WindowDriver s;
    if (known)
        writeFile(s.file(QStringLiteral("Students.DAT")), earlierJournal());
    const QByteArray registered = known ? earlierJournal() : record(Fio, "42");
    s.writeBanks(firstBank(5), secondBank(5));
    s.startTest(Fio, known ? QStringLiteral("7") : QStringLiteral("42"));
    QCOMPARE(s.journalBytes(), registered);
    for (int q = 1; q <= answered; ++q)
        s.answer(true);
    // "Закрыть" stores the record from memory at the student's place:
    // bytes spoiled on disk meanwhile are put right.
    QByteArray spoiled = registered;
    spoiled.replace(known ? 73 : 0, 73, QByteArray(73, '\xEE'));
    writeFile(s.file(QStringLiteral("Students.DAT")), spoiled);

    s.click("dxfColorButton1");
    QCOMPARE(s.Dialogs.take(), QStringList());
    QCOMPARE(s.journalBytes(), registered);
    QVERIFY(!s.form().journal().isOpen());
    QVERIFY(!s.form().isVisible());
}

QTEST_MAIN(tst_TestRunVerdict)
#include "tst_TestRunVerdict.moc"
