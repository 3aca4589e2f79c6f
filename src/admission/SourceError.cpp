#include "admission/SourceError.h"

namespace {

QString messageFor(const QString& fileName, int line, const QString& reason)
{
    return line > 0
        ? QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(reason)
        : QStringLiteral("%1: %2").arg(fileName, reason);
}

} // namespace

SourceError::SourceError(const QString& fileName, int line, const QString& reason)
    : Exception(messageFor(fileName, line, reason))
    , FileName(fileName)
    , Line(line)
    , Reason(reason)
{
}
