#pragma once

#include "platform/Exception.h"

// A document file that cannot be opened: "Cannot open file <full path>".
class EFOpenError : public Exception
{
public:
    explicit EFOpenError(const QString& path)
        : Exception(QStringLiteral("Cannot open file %1").arg(path))
    {
    }
};
