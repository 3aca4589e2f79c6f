// The admission test on the real main window: the first question made
// ready at registration, the draws from the two banks, the judging by the
// checked box and the 45 seconds of every question after the first.
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

Q_DECLARE_METATYPE(QList<int>)

class tst_TestRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void firstQuestionIsReadyBeforeTheTestPage();
    void drawsFollowTheUniversalTimeSeed_data();
    void drawsFollowTheUniversalTimeSeed();
    void judgedByTheTagOfTheCheckedBox_data();
    void judgedByTheTagOfTheCheckedBox();
    void questionRunsOutOfTime();
};

void tst_TestRun::firstQuestionIsReadyBeforeTheTestPage()
{
    WindowDriver s;
    const Bank first = firstBank(6);
    s.writeBanks(first, secondBank(6));
    s.Clock.Utc = QTime(9, 30, 15, 250);
    Draws draws(s.Clock.Utc);
    const QuestionRecord& expected = first[size_t(draws.next(6))];
    const QuestionRecord& next = first[size_t(draws.next(6))];
    QVERIFY(next.Question.text() != expected.Question.text());

    s.registerStudent();
    QCOMPARE(s.Dialogs.take(), QStringList());
    QCOMPARE(s.page(), QStringLiteral("1_2"));
    // On the theory page, before the test page has ever been shown.
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 1"));
    QCOMPARE(s.questionText(), expected.Question.text());
    QCOMPARE(s.answers(), QStringList({expected.Answer1.text(), expected.Answer2.text(), expected.Answer3.text(),
                                       expected.Answer4.text()}));
    QVERIFY(!s.timer()->Running());
    QCOMPARE(s.timer()->GetDisplayText(), QStringLiteral("45"));

    // The first question has no time limit: however long the student
    // reads, the clock stands.
    s.Clock.advance(120'000);
    QVERIFY(!s.countdownTicks());
    s.click("dxfColorButton3");
    QCOMPARE(s.page(), QStringLiteral("2"));
    s.Clock.advance(120'000);
    QVERIFY(!s.countdownTicks());
    QCOMPARE(s.Dialogs.take(), QStringList());
    QVERIFY(!s.timer()->Running());
    QCOMPARE(s.timer()->ElapsedSeconds(), 0);
    QCOMPARE(s.timer()->GetDisplayText(), QStringLiteral("45"));
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 1"));

    // Confirmed: the second question, on the screen, runs from the full
    // 45 seconds.
    const QStringList texts {"ST1", "ST2", "glStaticText1", "glStaticText2", "glStaticText3", "glStaticText4"};
    QCOMPARE(s.repainted([&] { s.ok(); }, texts), texts);
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 2"));
    QCOMPARE(s.questionText(), next.Question.text());
    QVERIFY(s.timer()->Running());
    QCOMPARE(s.timer()->GetDisplayText(), QStringLiteral("45"));
}

void tst_TestRun::drawsFollowTheUniversalTimeSeed_data()
{
    QTest::addColumn<QTime>("utc");
    QTest::addColumn<int>("firstCount");
    QTest::addColumn<int>("secondCount");
    QTest::newRow("7 and 13 records") << QTime(10, 17, 23, 456) << 7 << 13;
    QTest::newRow("13 and 7 records") << QTime(23, 59, 58, 999) << 13 << 7;
    QTest::newRow("midnight seed") << QTime(0, 0, 0, 0) << 5 << 5;
    QTest::newRow("one record each") << QTime(14, 2, 8, 1) << 1 << 1;
}

void tst_TestRun::drawsFollowTheUniversalTimeSeed()
{
    QFETCH(QTime, utc);
    QFETCH(int, firstCount);
    QFETCH(int, secondCount);
    WindowDriver s;
    const Bank first = firstBank(firstCount);
    const Bank second = secondBank(secondCount);
    s.writeBanks(first, second);
    s.Clock.Utc = utc;
    // The local time must not be the one the seed is taken from.
    s.Clock.Local = utc.addSecs(3 * 3600 + 17);
    Draws draws(utc);

    s.startTest();
    for (int q = 1; q <= 10; ++q) {
        const bool fromFirst = q <= 5;
        const Bank& b = fromFirst ? first : second;
        const QuestionRecord& expected = b[size_t(draws.next(fromFirst ? firstCount : secondCount))];
        QCOMPARE(s.number(), QStringLiteral("Вопрос № %1").arg(q));
        QCOMPARE(s.questionText(), expected.Question.text());
        QCOMPARE(s.answers(), QStringList({expected.Answer1.text(), expected.Answer2.text(), expected.Answer3.text(),
                                           expected.Answer4.text()}));
        const int right = expected.RightAnswer;
        s.answer(true);
        // The selection is left as the student made it.
        QVERIFY(s.answerBox(right)->Checked());
    }
    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: Правильных ответов - 10")}));
    QCOMPARE(s.page(), QStringLiteral("3"));
}

void tst_TestRun::judgedByTheTagOfTheCheckedBox_data()
{
    QTest::addColumn<QList<int>>("tags");
    QTest::addColumn<int>("checked"); // box 1 to 4, 0 for none, -1 untouched
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("counted");
    const QList<int> stored {1, 2, 3, 4};
    const QList<int> swapped {2, 1, 3, 4};
    // The stored form checks box 1: a student who never touches the
    // boxes answers 1.
    QTest::newRow("untouched, answer 1") << stored << -1 << 1 << 1;
    QTest::newRow("untouched, answer 3") << stored << -1 << 3 << 0;
    QTest::newRow("box 1, answer 1") << stored << 1 << 1 << 1;
    QTest::newRow("box 3, answer 3") << stored << 3 << 3 << 1;
    QTest::newRow("box 4, answer 4") << stored << 4 << 4 << 1;
    QTest::newRow("box 4, answer 2") << stored << 4 << 2 << 0;
    QTest::newRow("no box checked") << stored << 0 << 1 << 0;
    QTest::newRow("box 1 tagged 2, answer 2") << swapped << 1 << 2 << 1;
    QTest::newRow("box 2 tagged 1, answer 2") << swapped << 2 << 2 << 0;
    QTest::newRow("answer 0 is never right") << stored << 1 << 0 << 0;
    QTest::newRow("answer 5 is never right") << stored << 1 << 5 << 0;
}

void tst_TestRun::judgedByTheTagOfTheCheckedBox()
{
    QFETCH(QList<int>, tags);
    QFETCH(int, checked);
    QFETCH(int, right);
    QFETCH(int, counted);
    WindowDriver s;
    s.writeBanks(firstBank(1, [right](int) { return right; }),
                 secondBank(1));
    s.startTest();
    for (int n = 1; n <= 4; ++n)
        s.answerBox(n)->setTag(tags[n - 1]);
    if (checked > 0)
        s.choose(checked);
    else if (checked == 0)
        s.chooseNone();
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(s.answerBox(n)->Checked(), n == checked || (n == 1 && checked < 0));

    s.ok();
    QCOMPARE(s.Dialogs.take(), QStringList());
    QCOMPARE(s.form().testRun().RightCount(), counted);
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 2"));
}

void tst_TestRun::questionRunsOutOfTime()
{
    WindowDriver s;
    s.writeBanks(firstBank(5), secondBank(5));
    s.startTest();
    s.answer(true);
    QCOMPARE(s.form().testRun().RightCount(), 1);

    // Question 2 answered with 15 seconds left: question 3 has all 45.
    s.Clock.advance(30'000);
    s.timer()->Tick();
    QCOMPARE(s.timer()->GetDisplayText(), QStringLiteral("15"));
    s.answer(false);
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 3"));
    QCOMPARE(s.timer()->GetDisplayText(), QStringLiteral("45"));

    // Question 3: the right box checked when the time runs out.
    s.chooseAnswer(true);
    bool stoppedMeanwhile = false;
    QString numberMeanwhile;
    s.Dialogs.onShow = [&](const QString&, const QString&) {
        stoppedMeanwhile = !s.timer()->Running();
        numberMeanwhile = s.number();
    };
    s.Clock.advance(45'000);
    s.timer()->Tick();
    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: End of Time")}));
    QVERIFY(stoppedMeanwhile);
    QCOMPARE(numberMeanwhile, QStringLiteral("Вопрос № 3"));
    QCOMPARE(s.form().testRun().RightCount(), 2);
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 4"));
    QVERIFY(s.timer()->Running());
    QCOMPARE(s.timer()->GetDisplayText(), QStringLiteral("45"));

    // Question 4 has a fresh 45 seconds: 44 are not enough, the 45th is.
    s.chooseAnswer(false);
    s.Clock.advance(44'000);
    s.timer()->Tick();
    QCOMPARE(s.Dialogs.take(), QStringList());
    QCOMPARE(s.timer()->GetDisplayText(), QStringLiteral("01"));
    s.Clock.advance(1'000);
    s.timer()->Tick();
    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: End of Time")}));
    QCOMPARE(s.form().testRun().RightCount(), 2);
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 5"));

    // Question 5: the clock's own ticks run it out as well.
    s.chooseAnswer(true);
    s.Clock.advance(45'000);
    QTRY_COMPARE_WITH_TIMEOUT(s.Dialogs.Shown.size(), 1, 2000);
    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: End of Time")}));
    QCOMPARE(s.form().testRun().RightCount(), 3);
    QCOMPARE(s.number(), QStringLiteral("Вопрос № 6"));

    // Once the test is over the clock is stopped: no end of time follows.
    s.Dialogs.onShow = nullptr;
    for (int q = 6; q <= 10; ++q)
        s.answer(true);
    QCOMPARE(s.Dialogs.take(), QStringList({QStringLiteral("message: Правильных ответов - 8")}));
    QCOMPARE(s.page(), QStringLiteral("3"));
    QVERIFY(!s.timer()->Running());
    s.Clock.advance(60'000);
    QVERIFY(!s.countdownTicks());
}

QTEST_MAIN(tst_TestRun)
#include "tst_TestRun.moc"
