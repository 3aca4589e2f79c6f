#pragma once

#include "platform/Exception.h"

// A question source (Aiken text, Moodle XML, GIFT) that cannot become a
// bank at all: the source's file name, the number of the line at fault (0
// when the fault is not on one line) and the reason. The message reads
// "FILE:LINE: reason", or "FILE: reason" without a line.
class SourceError : public Exception
{
public:
    SourceError(const QString& fileName, int line, const QString& reason);

    const QString& fileName() const { return FileName; }
    int line() const { return Line; }
    const QString& reason() const { return Reason; }

private:
    QString FileName;
    int Line;
    QString Reason;
};
