// The course of the admission test without a window: the judging by the
// tags of the checked boxes, the second bank after the fifth question, the
// end after the tenth, the pass mark, and a question asked again after a
// failure.
#include "admission/TestProgress.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<int>)

class tst_TestProgress : public QObject
{
    Q_OBJECT

private slots:
    void judgedByTheTagsOfTheCheckedBoxes_data();
    void judgedByTheTagsOfTheCheckedBoxes();
    void tenQuestionsAndTheVerdict_data();
    void tenQuestionsAndTheVerdict();
    void questionAskedAgainAfterAFailure();
};

void tst_TestProgress::judgedByTheTagsOfTheCheckedBoxes_data()
{
    QTest::addColumn<QList<int>>("checked");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("counted");
    QTest::newRow("the right box") << QList<int> {3} << 3 << 1;
    QTest::newRow("another box") << QList<int> {4} << 2 << 0;
    QTest::newRow("no box") << QList<int> {} << 1 << 0;
    QTest::newRow("answer 0 is never right") << QList<int> {1} << 0 << 0;
    QTest::newRow("answer 5 is never right") << QList<int> {1} << 5 << 0;
}

void tst_TestProgress::judgedByTheTagsOfTheCheckedBoxes()
{
    QFETCH(QList<int>, checked);
    QFETCH(int, right);
    QFETCH(int, counted);
    TestProgress progress;
    progress.start();
    progress.judge(checked, right);
    // Judged once, however often it is asked.
    progress.judge(checked, right);
    QCOMPARE(progress.RightCount(), counted);
}

void tst_TestProgress::tenQuestionsAndTheVerdict_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<QString>("result");
    QTest::newRow("10") << 10 << true << "Правильных ответов - 10";
    QTest::newRow("7") << 7 << true << "Правильных ответов - 7";
    QTest::newRow("6") << 6 << false << "Правильных ответов - 6- Уровень Ваших знаний очень низок";
    QTest::newRow("0") << 0 << false << "Правильных ответов - 0- Уровень Ваших знаний очень низок";
}

void tst_TestProgress::tenQuestionsAndTheVerdict()
{
    QFETCH(int, right);
    QFETCH(bool, passed);
    QFETCH(QString, result);
    TestProgress progress;
    progress.start();
    QString banks;
    for (int q = 1;; ++q) {
        QCOMPARE(progress.numberText(), QStringLiteral("Вопрос № %1").arg(q));
        // The right answers fall on the last questions.
        progress.judge({1}, q > 10 - right ? 1 : 2);
        banks += progress.opensSecondBank() ? QLatin1Char('+') : QLatin1Char('.');
        if (progress.opensSecondBank())
            progress.secondBankOpened();
        if (progress.ends())
            break;
        progress.nextQuestion();
    }
    QCOMPARE(progress.QuestionNo(), 10);
    QCOMPARE(banks, QStringLiteral("....+....."));
    QCOMPARE(progress.RightCount(), right);
    QCOMPARE(progress.passed(), passed);
    QCOMPARE(progress.resultText(), result);
}

void tst_TestProgress::questionAskedAgainAfterAFailure()
{
    TestProgress progress;
    progress.start();
    for (int q = 1; q < 5; ++q) {
        progress.judge({1}, 1);
        progress.nextQuestion();
    }
    // The fifth judged, the second bank opened, and the draw from it failed:
    // asked again, the question is not counted twice and the bank is
    // opened afresh.
    progress.judge({1}, 1);
    QVERIFY(progress.opensSecondBank());
    progress.secondBankOpened();
    progress.interrupted();
    progress.judge({1}, 1);
    QCOMPARE(progress.RightCount(), 5);
    QVERIFY(progress.opensSecondBank());
    progress.secondBankOpened();
    progress.nextQuestion();
    // Once a question has been drawn from it, the bank stays.
    progress.interrupted();
    QVERIFY(!progress.opensSecondBank());
    QCOMPARE(progress.numberText(), QStringLiteral("Вопрос № 6"));
}

QTEST_GUILESS_MAIN(tst_TestProgress)
#include "tst_TestProgress.moc"
