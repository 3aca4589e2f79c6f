#pragma once

#include "platform/Exception.h"

// A text that does not convert to a number:
// "'%s' is not a valid integer value" or
// "'%s' is not a valid floating point value".
class EConvertError : public Exception
{
public:
    using Exception::Exception;

    static EConvertError notInteger(const QString& text);
    static EConvertError notFloat(const QString& text);
};
