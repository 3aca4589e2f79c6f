#pragma once

#include "widgets/controls/PrintSetup.h"

#include <QString>

// The print dialog as a test answers it, without showing one: a PDF file
// chosen, or the print cancelled when no file is set.
class FakePrintSetup : public PrintSetup
{
public:
    bool choose(QPrinter& printer, QWidget* parent) override;

    QString File;
    int Asked = 0;
};
