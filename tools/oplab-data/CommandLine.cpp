#include "CommandLine.h"

int CommandLine::fail(const QString& text) const
{
    Err << "oplab-data: " << text << Qt::endl;
    return 2;
}
