#pragma once

#include "Journal.h"

#include <QWidget>

#include <functional>
#include <memory>

class Clock;
class Dialogs;
class ProgramEnd;

namespace Ui {
class TForm1;
}

// The main window "Ормидан": the page book with its five pages and the
// handlers of the page flow. The subsystems' controllers hold the logic of
// registration, the test and the bench; this class creates them, connects
// the controls' events to them and turns the pages.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    TForm1(Dialogs& dialogs, Clock& clock, ProgramEnd& programEnd, QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::TForm1* form() const { return ui.get(); }

public slots:
    void FormCreate();
    void dxfColorButton2Click();
    void BitBtn4Click();
    void dxfColorButton3Click();
    void BitBtn1Click();

private:
    // Runs a handler under the default error report.
    void handle(const std::function<void()>& handler);
    void connectHandlers();

    std::unique_ptr<Ui::TForm1> ui;
    // The student journal "Students.DAT" with the working record, open
    // from the first registration attempt to the end of the run.
    Journal FJournal;
    Dialogs& FDialogs;
    Clock& FClock;
    ProgramEnd& FProgramEnd;
};
