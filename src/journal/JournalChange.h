#pragma once

#include <QString>

#include <cstdint>

// One change between two states of a journal, as the instructor reads it:
// what changed, in which record, and whether a bench could have made it.
//
// A bench only ever appends a record at registration, sets the test's Score
// and Verdict (to "зачeт" and the count, then on a fail to "незачeт"), sets
// a measurement's flag to "+" and, once all six are "+", the work mark; a
// returning student keeps the name and the flags and may take the test
// again. Everything else (a record removed, cut short, moved or put among
// the stored ones, a name or code changed, a test result no test writes, a
// mark taken away, a value no bench stores) is marked as foreign.
struct JournalChange
{
    enum Kind {
        // What a bench does.
        Added,       // a record appended, as registration does
        TestResult,  // Score and Verdict as a finished test stores them
        Measured,    // measurement flags set to "+"
        WorkMarked,  // the work mark set with all six flags "+"
        PartialTail, // a record not yet whole at the end: a write cut off
        HiddenBytes, // only bytes behind the values' lengths, which no reader takes
        // What no bench does.
        Removed,
        CutOff,
        Moved,
        Inserted,
        NameChanged,
        CodeChanged,
        ResultChanged,
        MarkTaken,
        WorkMarkTaken,
        OddValue,
    };

    Kind What = Added;
    std::int64_t Record = 0; // its number in the later state (in the earlier one when it is gone)
    std::int64_t From = -1;  // its number in the earlier state, when it moved
    QString Who;             // "Иванов И.И., шифр 123456"
    QString Text;            // what changed, in words

    // Whether no bench makes such a change.
    bool foreign() const { return What >= Removed; }
    // The change on one line: "⚠ запись 5 (Иванов И.И., шифр 123456): ...",
    // the mark only on a foreign change.
    QString line() const;
    // The change in a few words for a line of the history: "запись 5:
    // балл".
    QString brief() const;
};
