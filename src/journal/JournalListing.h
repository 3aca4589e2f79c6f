#pragma once

#include "journal/StudentRecord.h"

#include <QString>
#include <QTextStream>

#include <cstdint>

// The journal as the instructor reads it: a table with columns as wide as
// the fields can be, CSV, or a JSON array, one row per record, printed as
// the records are read. Texts are decoded from code page 1251; the verdicts
// are named from their exact bytes, any other verdict shown as it stands.
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

    // The verdict in words: "не сдан", "зачёт", "незачёт", or the text.
    static QString verdictText(const StudentRecord& r);
    // The text with every control character (C0, DEL and C1) replaced by
    // "?": bytes of a damaged record must not steer a terminal.
    static QString printable(QString text);

private:
    void tableRow(std::int64_t index, const StudentRecord& r);
    void csvRow(std::int64_t index, const StudentRecord& r);
    void jsonRow(std::int64_t index, const StudentRecord& r);

    QTextStream& Out;
    Format FFormat;
    int IndexWidth;
    bool First = true;
};
