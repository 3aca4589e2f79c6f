#include "widgets/controls/QuitProgram.h"

#include <QCoreApplication>

void QuitProgram::endProgram()
{
    QCoreApplication::exit(0);
}
