#pragma once

class QPrinter;
class QWidget;

// Where a print goes: the program asks the student in the print dialog
// (a printer, or a PDF file); tests choose a file without a dialog.
class PrintSetup
{
public:
    virtual ~PrintSetup() = default;

    // Sets the printer up; false when the student cancels the print.
    virtual bool choose(QPrinter& printer, QWidget* parent) = 0;
};
