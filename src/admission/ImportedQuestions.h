#pragma once

#include "admission/QuestionRecord.h"
#include "admission/SkippedQuestion.h"

#include <vector>

// What a question source gives: the records of the questions the bank can
// hold, in the source's order, and the questions left out, in the same
// order. An Aiken source never leaves one out: a fault there refuses the
// whole source.
struct ImportedQuestions
{
    std::vector<QuestionRecord> Records;
    std::vector<SkippedQuestion> Skipped;
};
