#pragma once

#include "widgets/controls/PrintSetup.h"

// The platform's print dialog, modal over the window: the machine's
// printers and a PDF file among them.
class PrintDialogSetup : public PrintSetup
{
public:
    bool choose(QPrinter& printer, QWidget* parent) override;
};
