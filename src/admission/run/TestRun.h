#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>

#include "admission/QuestionRecord.h"
#include "admission/TestProgress.h"

class BankFile;
class Clock;
class Dialogs;
class RandomGenerator;
class Journal;
class TdxfCheckBox;
class TdxfTimer;
class TglStaticText;

// The admission test on the test page: ten questions, five drawn from
// "Qest.txt" and five from "Qest1.txt", judged by the checked answer box,
// 45 seconds for every question after the first, seven right answers to
// pass. The verdict is stored in the student's journal record. The course
// of the test is kept by TestProgress; this class reads the answer boxes,
// shows the questions and drives the clock.
//
// A failure part-way through a question (a bank missing, a journal that
// cannot be written) stops the clock and keeps what was reached; pressing
// "OK" again goes on from there: the question already judged is not judged
// again, a bank already closed is not closed again, and "Qest1.txt" is
// opened afresh until a question has been drawn from it.
class TestRun : public QObject
{
    Q_OBJECT

public:
    // The controls of the test page the test reads and writes, named for
    // what they show (the main window maps its stored names to them).
    struct Controls
    {
        TglStaticText* Number = nullptr;          // "Вопрос № ..."
        TglStaticText* Question = nullptr;        // the question's text
        std::array<TglStaticText*, 4> Answers {}; // the four answers
        std::array<TdxfCheckBox*, 4> Boxes {};    // their boxes, tags 1 ... 4
        TdxfTimer* Countdown = nullptr;           // the question's 45 seconds
    };

    // What the test asks of the window: turn to the bench after a pass,
    // close after a fail or a give-up.
    struct Window
    {
        std::function<void()> openBench;      // reload "1.rtf", turn to page "3"
        std::function<void()> closeWindow;    // close the main window
        std::function<void()> endProgram;     // and end the program at once
    };

    TestRun(const Controls& controls, BankFile& bank, Journal& journal, RandomGenerator& generator,
            Clock& clock, Dialogs& dialogs, Window window, QObject* parent = nullptr);

    int QuestionNo() const { return FProgress.QuestionNo(); }
    int RightCount() const { return FProgress.RightCount(); }
    const QuestionRecord& current() const { return Current; }

    // The test preparation at the end of registration: the first bank, a
    // fresh seed and the first question on show, the clock standing.
    void prepare();

public slots:
    // "OK", or the end of a question's time: judge and go on.
    void NextQuestion();
    // The clock has run out: "End of Time", then the question is judged.
    void dxfTimer1EndOfTime();
    // "Закрыть": the test is given up.
    void giveUp();

private:
    QList<int> checkedTags() const;
    void drawQuestion();
    void finish();
    void closeBank();

    Controls C;
    BankFile& FBank;
    Journal& FJournal;
    RandomGenerator& FGenerator;
    Clock& FClock;
    Dialogs& FDialogs;
    Window FWindow;

    QuestionRecord Current {};
    TestProgress FProgress;
};
