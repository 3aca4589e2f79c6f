#include "admission/run/TestRun.h"

#include "admission/BankFile.h"
#include "platform/controls/Dialogs.h"
#include "admission/RandomGenerator.h"
#include "journal/Journal.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfTimer/TdxfTimer.h"
#include "widgets/glLabel/TglStaticText.h"

namespace {

const QString FirstBank = QStringLiteral("Qest.txt");
const QString SecondBankName = QStringLiteral("Qest1.txt");

} // namespace

TestRun::TestRun(const Controls& controls, BankFile& bank, Journal& journal, RandomGenerator& generator,
                 Clock& clock, Dialogs& dialogs, Window window, QObject* parent)
    : QObject(parent)
    , C(controls)
    , FBank(bank)
    , FJournal(journal)
    , FGenerator(generator)
    , FClock(clock)
    , FDialogs(dialogs)
    , FWindow(std::move(window))
{
}

void TestRun::prepare()
{
    FBank.open(FirstBank);
    SecondBank = false;
    FGenerator.seedFromClock(FClock);
    drawQuestion();
    FQuestionNo = 1;
    FRightCount = 0;
    Judged = false;
    C.ST1->setCaption(QStringLiteral("Вопрос № 1"));
}

void TestRun::drawQuestion()
{
    FBank.drawInto(FGenerator, Current);
    C.ST2->setCaption(Current.Question.text());
    for (int k = 1; k <= 4; ++k)
        C.Answers[k - 1]->setCaption(Current.answer(k).text());
}

void TestRun::judge()
{
    const int right = Current.RightAnswer;
    for (TdxfCheckBox* box : C.Boxes)
        if (box->Checked() && box->Tag() == right)
            ++FRightCount;
}

void TestRun::closeBank()
{
    if (FBank.isOpen())
        FBank.close();
}

void TestRun::NextQuestion()
{
    C.dxfTimer1->Stop();
    C.dxfTimer1->Start();
    C.dxfTimer1->Reset();
    try {
        if (!Judged) {
            judge();
            Judged = true;
        }
        if (FQuestionNo == 5 && !SecondBank) {
            closeBank();
            FBank.open(SecondBankName);
            SecondBank = true;
        }
        if (FQuestionNo == 10) {
            finish();
            return;
        }
        drawQuestion();
        ++FQuestionNo;
        Judged = false;
        C.ST1->setCaption(QStringLiteral("Вопрос № ") + QString::number(FQuestionNo));
    } catch (...) {
        // Nothing is timed while the student waits for the fault to be
        // mended; "OK" goes on from here.
        C.dxfTimer1->Stop();
        // No question has been drawn from "Qest1.txt" yet: the next try
        // opens it afresh, so a bank put in its place meanwhile is the one
        // read, not the faulty file still held open.
        if (FQuestionNo == 5)
            SecondBank = false;
        throw;
    }
}

void TestRun::finish()
{
    closeBank();
    C.dxfTimer1->Stop();
    if (FRightCount < 7) {
        // A failed test is stored as failed before the student is told, so
        // the journal never shows a pass for it, not even while the message
        // is up or when the program is killed then. The record's bytes are
        // the same as if a pass had been stored first: "незачeт" covers
        // every character that "зачeт" would have written.
        FJournal.student().setVerdictFailed();
        FJournal.student().setScore(FRightCount);
        FJournal.WriteStudent();
        FDialogs.message(QStringLiteral("Правильных ответов - ") + QString::number(FRightCount)
                         + QStringLiteral("- Уровень Ваших знаний очень низок"));
        FWindow.closeWindow();
        FWindow.endProgram();
        return;
    }
    FJournal.student().setVerdictPassed();
    FJournal.student().setScore(FRightCount);
    FJournal.WriteStudent();
    FDialogs.message(QStringLiteral("Правильных ответов - ") + QString::number(FRightCount));
    FWindow.openBench();
}

void TestRun::dxfTimer1EndOfTime()
{
    FDialogs.message(QStringLiteral("End of Time"));
    NextQuestion();
}

void TestRun::giveUp()
{
    closeBank();
    FJournal.WriteStudent();
    FJournal.close();
    FWindow.closeWindow();
}
