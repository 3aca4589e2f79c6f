#pragma once

#include "journal/Grading.h"
#include "journal/StudentRecord.h"

#include <array>

// The counts of a class read from its journal records: who registered, who
// took the admission test and with what verdict, who finished each
// measurement and the whole work; and the test scores of those who took it.
struct ClassSummary
{
    int Registered = 0;
    int Tested = 0; // a pass or a fail stored
    int Passed = 0;
    int Failed = 0;
    int NotTested = 0;
    int WorkDone = 0;
    // Students who took the test, by their score 0 to 10.
    std::array<int, Grading::Questions + 1> Scores {};
    // Students who finished measurement k, at [k - 1].
    std::array<int, Grading::Measurements> Measured {};

    void add(const StudentRecord& r);

    bool operator==(const ClassSummary&) const = default;
};
