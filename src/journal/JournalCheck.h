#pragma once

#include "journal/StudentRecord.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>

// The faults of a journal that the bench or a reader of the journal would
// meet, one text for each (in Russian, as the instructor reads them): a
// length byte above its field's capacity, a code that does not convert, a
// code already stored in an earlier record (the lookup never reaches the
// later one), a verdict that is none of the three the program writes, and
// bytes of a partial record after the last whole one.
//
// The records are given one after another in file order, so a journal of
// any size is checked while it is read; records are numbered from 0.
class JournalCheck
{
public:
    // Makes room for the codes of a journal of `records` records at once,
    // rather than growing record by record.
    void reserve(std::int64_t records);
    // The findings of the next record.
    QStringList record(const StudentRecord& r);
    // The finding of the bytes behind the last whole record, given the
    // journal's size in bytes; empty when the size is whole records.
    QStringList end(std::int64_t fileBytes);

    std::int64_t records() const { return Records; }
    std::int64_t findings() const { return Findings; }
    // "записей: N, замечаний: M"
    QString summary() const;

private:
    std::int64_t Records = 0;
    std::int64_t Findings = 0;
    QHash<std::int32_t, std::int64_t> FirstWithCode;
};
