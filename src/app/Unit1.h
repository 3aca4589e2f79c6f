#pragma once

#include "admission/BankFile.h"
#include "journal/Journal.h"
#include "platform/RandomGenerator.h"

#include <QWidget>

#include <functional>
#include <memory>

class Bench;
class Clock;
class Dialogs;
class PrintSetup;
class ProgramEnd;
class TestRun;

namespace Ui {
class TForm1;
}

// The main window "Ормидан": the page book with its five pages and the
// handlers of the page flow. It owns what lives for the whole run (the
// journal with the working record, the open bank, the generator) and the
// controllers of the test and the bench, connects the controls' events to
// them under the default error report, and turns the pages.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // How long after the window's first paint the unseen pages are made
    // ready (a student reads the intro for far longer).
    static constexpr int WarmUpDelayMs = 250;
    // The longest the window goes unpainted while a busy journal is
    // waited for.
    static constexpr int JournalWaitSliceMs = 15;

    TForm1(Dialogs& dialogs, Clock& clock, ProgramEnd& programEnd, QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::TForm1* form() const { return ui.get(); }
    Journal& journal() { return FJournal; }
    RandomGenerator& generator() { return FGenerator; }
    TestRun& testRun() { return *FTestRun; }
    Bench& bench() { return *FBench; }
    // Where "Печать экрана" prints: the print dialog unless another way
    // is given (tests print to a file without one).
    void setPrintSetup(PrintSetup& setup) { FPrintSetup = &setup; }

    // The handlers, named after the stored form's controls and events.
public slots:
    // The window is made: the instructions, the diagram, empty voltmeters, the intro page.
    void FormCreate();
    // "Далее..." on the intro: on to registration.
    void dxfColorButton2Click();
    // "Регистрация": the student registered, the test prepared, on to the theory.
    void BitBtn4Click();
    // "Далее..." on the theory: on to the test.
    void dxfColorButton3Click();
    // "OK" on the test page: the next question.
    void BitBtn6Click();
    // The question's time has run out.
    void dxfTimer1EndOfTime();
    // "Закрыть" on the test page: the test given up.
    void dxfColorButton1Click();
    // "Выход" on the bench: the journal closed, the window too.
    void BitBtn1Click();
    // "Печать экрана": the bench printed.
    void BitBtn2Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Runs a handler under the default error report.
    void handle(const std::function<void()>& handler);
    // Connects a control's event to a handler, under the error report.
    template <typename Control, typename Signal, typename Handler>
    void bind(Control* control, Signal signal, Handler handler);
    void createControllers();
    void connectHandlers();
    void loadInstructions();
    // Gives the focus to the first control in tab order of the page on show.
    void focusFirstControl();
    void warmUpPages();
    // The pause between two attempts at a busy journal.
    void waitForJournal(int milliseconds);

    std::unique_ptr<Ui::TForm1> ui;
    Dialogs& FDialogs;
    Clock& FClock;
    ProgramEnd& FProgramEnd;
    // The built-in text of the instructions view, kept from the stored form.
    QString FBuiltInInstructions;
    // The student journal "Students.DAT" with the working record, open
    // from the first registration attempt to the end of the run.
    Journal FJournal;
    // The question bank on show in the test, and the one generator of the
    // program (test draws, the bench's unbalance and input level).
    BankFile FBank;
    RandomGenerator FGenerator;
    std::unique_ptr<TestRun> FTestRun;
    std::unique_ptr<Bench> FBench;
    std::unique_ptr<PrintSetup> FPrintDialog;
    PrintSetup* FPrintSetup;
    bool FPagesWarm = false;
};
