#include "admission/TestProgress.h"

const QString TestProgress::FirstBank = QStringLiteral("Qest.txt");
const QString TestProgress::SecondBank = QStringLiteral("Qest1.txt");

void TestProgress::start()
{
    FQuestionNo = 1;
    FRightCount = 0;
    FJudged = false;
    FSecondBankOpen = false;
}

void TestProgress::judge(const QList<int>& checkedTags, int rightAnswer)
{
    if (FJudged)
        return;
    for (int tag : checkedTags)
        if (tag == rightAnswer)
            ++FRightCount;
    FJudged = true;
}

bool TestProgress::opensSecondBank() const
{
    return FQuestionNo == FirstBankQuestions && !FSecondBankOpen;
}

void TestProgress::nextQuestion()
{
    ++FQuestionNo;
    FJudged = false;
}

void TestProgress::interrupted()
{
    if (FQuestionNo == FirstBankQuestions)
        FSecondBankOpen = false;
}

QString TestProgress::numberText() const
{
    return QStringLiteral("Вопрос № ") + QString::number(FQuestionNo);
}

QString TestProgress::resultText() const
{
    const QString count = QStringLiteral("Правильных ответов - ") + QString::number(FRightCount);
    return passed() ? count : count + QStringLiteral("- Уровень Ваших знаний очень низок");
}
