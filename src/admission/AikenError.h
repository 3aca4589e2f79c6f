#pragma once

#include "admission/SourceError.h"

// A question source in the Aiken text format that cannot become a bank:
// the line at fault and the reason, as for every other source format.
class AikenError : public SourceError
{
public:
    using SourceError::SourceError;
};
