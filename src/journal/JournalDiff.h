#pragma once

#include "journal/JournalChange.h"
#include "journal/JournalContent.h"

#include <QString>

#include <vector>

// The changes between two states of a journal, record by record, each
// judged as one a bench makes or one it never makes (JournalChange).
//
// Records are matched by name and code: at the same number first, then a
// record of the earlier state found elsewhere in the later one has moved;
// a record whose name or code changed in place is still that record. What
// is left of the earlier state is removed (cut off, when a part of it is
// still there); what is left of the later one is added, at the end as
// registration appends, or among the stored records, as no bench does.
class JournalDiff
{
public:
    static std::vector<JournalChange> compare(const JournalContent& before, const JournalContent& after);

    // Whether any of the changes is one no bench makes.
    static bool anyForeign(const std::vector<JournalChange>& changes);
    // The changes in a few words, for a line of the history: "добавлено 2,
    // тест 1, измерений 3", then "⚠ не со стенда: запись 5 — балл/допуск;
    // ..." naming the first few foreign changes; "без изменений" for none.
    static QString account(const std::vector<JournalChange>& changes);

    // Whether the test's Score and Verdict are a pair a finished test
    // stores: a count of 0 to 10 in decimal with "зачeт", or 0 to 6 with
    // "незачeт".
    static bool isTestResult(const StudentRecord& r);
    // Whether a bench leaves a record so: a test result or a new student's
    // "0" and "не зачет", flags "+" or "-", no work mark or "выполнена"
    // with all six flags "+". The reasons why not, in words; empty when it
    // does.
    static QStringList oddValues(const StudentRecord& r);
};
