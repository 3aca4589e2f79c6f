#pragma once

#include "journal/Grading.h"

#include <QList>
#include <QString>

// The course of the admission test apart from its page: the question on
// show, the right answers counted, when the second bank takes over, when
// the test ends and whether it is passed. A failure part-way through a
// question leaves it where it was: asked again, it does not judge the same
// question twice, and it opens the second bank afresh until a question has
// been drawn from it.
class TestProgress
{
public:
    // The first five of the test's questions are drawn from the first
    // bank, the rest from the second.
    static constexpr int FirstBankQuestions = 5;
    static const QString FirstBank;  // "Qest.txt"
    static const QString SecondBank; // "Qest1.txt"

    // The first question on show, nothing counted, the first bank open.
    void start();

    int QuestionNo() const { return FQuestionNo; }
    int RightCount() const { return FRightCount; }

    // Judges the question on show by the tags of the boxes checked: one
    // right answer for each tag equal to the question's right answer. A
    // question already judged is not judged again.
    void judge(const QList<int>& checkedTags, int rightAnswer);
    // The question on show is the last of the first bank, and the second
    // bank is not open yet.
    bool opensSecondBank() const;
    void secondBankOpened() { FSecondBankOpen = true; }
    // The question judged is the last: the test ends.
    bool ends() const { return FQuestionNo == Grading::Questions; }
    // The next question, drawn, is on show.
    void nextQuestion();
    // A failure before the next question was drawn: the second bank, if it
    // was opened for it, is opened afresh on the next try.
    void interrupted();

    bool passed() const { return Grading::passes(FRightCount); }
    // "Вопрос № " and the number of the question on show.
    QString numberText() const;
    // The message of the result: the count, and for a fail the words
    // that the knowledge is too low.
    QString resultText() const;

private:
    int FQuestionNo = 0;
    int FRightCount = 0;
    bool FJudged = false;        // the question on show has been counted
    bool FSecondBankOpen = false; // "Qest1.txt" is the open bank
};
