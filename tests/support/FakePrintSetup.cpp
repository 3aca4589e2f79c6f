#include "support/FakePrintSetup.h"

#include <QPrinter>

bool FakePrintSetup::choose(QPrinter& printer, QWidget*)
{
    ++Asked;
    if (File.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(File);
    return true;
}
