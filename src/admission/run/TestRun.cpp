#include "admission/run/TestRun.h"

#include "admission/BankFile.h"
#include "widgets/controls/Dialogs.h"
#include "platform/RandomGenerator.h"
#include "journal/Journal.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfTimer/TdxfTimer.h"
#include "widgets/glLabel/TglStaticText.h"

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
    FBank.open(TestProgress::FirstBank);
    FGenerator.seedFromClock(FClock);
    drawQuestion();
    FProgress.start();
    C.Number->setCaption(FProgress.numberText());
}

void TestRun::drawQuestion()
{
    FBank.drawInto(FGenerator, Current);
    C.Question->setCaption(Current.Question.text());
    for (int k = 1; k <= 4; ++k)
        C.Answers[k - 1]->setCaption(Current.answer(k).text());
}

QList<int> TestRun::checkedTags() const
{
    QList<int> tags;
    for (TdxfCheckBox* box : C.Boxes)
        if (box->Checked())
            tags.append(box->Tag());
    return tags;
}

void TestRun::closeBank()
{
    if (FBank.isOpen())
        FBank.close();
}

void TestRun::NextQuestion()
{
    C.Countdown->Stop();
    C.Countdown->Start();
    C.Countdown->Reset();
    try {
        FProgress.judge(checkedTags(), Current.RightAnswer);
        if (FProgress.opensSecondBank()) {
            closeBank();
            FBank.open(TestProgress::SecondBank);
            FProgress.secondBankOpened();
        }
        if (FProgress.ends()) {
            finish();
            return;
        }
        drawQuestion();
        FProgress.nextQuestion();
        C.Number->setCaption(FProgress.numberText());
    } catch (...) {
        // Nothing is timed while the student waits for the fault to be
        // mended; "OK" goes on from here.
        C.Countdown->Stop();
        // No question has been drawn from "Qest1.txt" yet: the next try
        // opens it afresh, so a bank put in its place meanwhile is the one
        // read, not the faulty file still held open.
        FProgress.interrupted();
        throw;
    }
}

void TestRun::finish()
{
    closeBank();
    C.Countdown->Stop();
    if (!FProgress.passed()) {
        // A failed test is stored as failed before the student is told, so
        // the journal never shows a pass for it, not even while the message
        // is up or when the program is killed then. The record's bytes are
        // the same as if a pass had been stored first: "незачeт" covers
        // every character that "зачeт" would have written.
        FJournal.student().setVerdictFailed();
        FJournal.student().setScore(FProgress.RightCount());
        FJournal.WriteStudent();
        FDialogs.message(FProgress.resultText());
        FWindow.closeWindow();
        FWindow.endProgram();
        return;
    }
    FJournal.student().setVerdictPassed();
    FJournal.student().setScore(FProgress.RightCount());
    FJournal.WriteStudent();
    FDialogs.message(FProgress.resultText());
    FWindow.openBench();
}

void TestRun::dxfTimer1EndOfTime()
{
    FDialogs.message(QStringLiteral("End of Time"));
    NextQuestion();
}

void TestRun::giveUp()
{
    // Nothing is timed any longer: the question's time cannot end while
    // the journal is written (or waited for).
    C.Countdown->Stop();
    closeBank();
    FJournal.WriteStudent();
    FJournal.close();
    FWindow.closeWindow();
}
