#pragma once

#include "journal/StudentRecord.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// One reading of the journal for the instructor's window: every whole
// record as stored, and the faults the journal check finds in them, read
// through the journal library under its shared lock. A reading that could
// not be made says why, in words the instructor reads.
struct JournalSnapshot
{
    enum Status {
        Read,       // the records below are the journal's
        Missing,    // no journal at the path (the bench creates it at the first registration)
        Busy,       // a bench held the journal longer than the lock timeout
        Unreadable, // the journal could not be read; Error says why
    };

    Status State = Missing;
    QString Path;
    QString Error;
    QDateTime ReadAt;
    std::vector<StudentRecord> Records;
    std::int64_t FileBytes = 0;
    // The check's findings of each record that has any, by record number,
    // and those of the bytes behind the last whole record.
    QHash<int, QStringList> RecordFindings;
    QStringList EndFindings;

    int findingCount() const;
    // Every finding, in the order of the journal check.
    QStringList allFindings() const;

    // Reads the journal at `path`, waiting for its lock no longer than
    // `lockTimeoutMs`.
    static JournalSnapshot read(const QString& path, int lockTimeoutMs);

    // The failure text of a file error, in Russian.
    static QString failureText(int ioErrorCode);
};
