#include "instructor/ClassSummary.h"

#include "instructor/JournalModel.h"

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
        const int score = JournalModel::scoreValue(r);
        if (score >= 0 && score <= Grading::Questions)
            ++Scores[size_t(score)];
    }
    for (int k = 1; k <= Grading::Measurements; ++k)
        if (JournalModel::measured(r, k))
            ++Measured[size_t(k - 1)];
    if (JournalModel::workDone(r))
        ++WorkDone;
}
