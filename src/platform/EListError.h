#pragma once

#include "platform/Exception.h"

// A position outside a list ("Max GroupIndex = 1", "List index out of bounds (5)").
class EListError : public Exception
{
public:
    using Exception::Exception;
};
