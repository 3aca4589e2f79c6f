#pragma once

#include "journal/StudentRecord.h"

#include <QString>
#include <QTextStream>

#include <cstdint>

// The journal as the instructor reads it: a table with columns as wide as
// the fields can be, CSV, or a JSON array, one row per record, printed as
// the records are read, in the words of StudentRecordText.
class JournalListing
{
public:
    enum Format { Table, Csv, Json };

    // Prints the head of the listing; `records` (the journal's count of
    // whole records) sets the width of the table's first column.
    JournalListing(QTextStream& out, Format format, std::int64_t records);

    void row(std::int64_t index, const StudentRecord& r);
    // Prints the tail of the listing (the JSON array's end).
    void finish();

private:
    void tableRow(std::int64_t index, const StudentRecord& r);
    void csvRow(std::int64_t index, const StudentRecord& r);
    void jsonRow(std::int64_t index, const StudentRecord& r);

    QTextStream& Out;
    Format FFormat;
    int IndexWidth;
    bool First = true;
};
