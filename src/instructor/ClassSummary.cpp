#include "instructor/ClassSummary.h"

#include "journal/StudentRecordText.h"

void ClassSummary::add(const StudentRecord& r)
{
    ++Registered;
    const StudentRecord::VerdictKind kind = r.verdictKind();
    switch (kind) {
    case StudentRecord::NotTested: ++NotTested; break;
    case StudentRecord::Passed: ++Passed; break;
    case StudentRecord::Failed: ++Failed; break;
    case StudentRecord::UnknownVerdict: break;
    }
    if (kind == StudentRecord::Passed || kind == StudentRecord::Failed) {
        ++Tested;
        const int score = StudentRecordText::scoreValue(r);
        if (score >= 0 && score <= Grading::Questions)
            ++Scores[size_t(score)];
    }
    for (int k = 1; k <= Grading::Measurements; ++k)
        if (StudentRecordText::measured(r, k))
            ++Measured[size_t(k - 1)];
    if (StudentRecordText::workDone(r))
        ++WorkDone;
}
