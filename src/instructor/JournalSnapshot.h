#pragma once

#include "journal/JournalChange.h"
#include "journal/StudentRecord.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// The records of a journal as the window holds them, shared with the
// reading that compares the journal with them.
using JournalRecords = std::vector<StudentRecord>;

// The records held and their generation, which counts every change of the
// rows held: a difference applies only to the generation it was read
// against.
struct HeldRecords
{
    std::shared_ptr<const JournalRecords> Records;
    quint64 Generation = 0;
};

// One reading of the journal for the instructor's window, read through the
// journal library under its shared lock: the records, and the faults the
// journal check finds in them. Given the records the window already holds,
// the reading keeps only what differs from them (the records changed, the
// records added, the new count), so a refresh of a large journal costs the
// reading and the check, never a second copy of the journal. A reading
// that could not be made says why, in words the instructor reads.
struct JournalSnapshot
{
    enum Status {
        Read,       // the journal was read
        Missing,    // no journal at the path (the bench creates it at the first registration)
        Busy,       // a bench held the journal longer than the lock timeout
        Unreadable, // the journal could not be read; Error says why
    };

    Status State = Missing;
    QString Path;
    QString Error;
    QDateTime ReadAt;
    std::int64_t FileBytes = 0;

    // Whole: Records holds every record. Otherwise the difference from the
    // records held: Count records now, Changed those among the held ones
    // that differ (in record order), Records those beyond the held ones.
    bool Whole = true;
    quint64 Generation = 0; // of the records compared with
    int Count = 0;
    std::vector<std::pair<int, StudentRecord>> Changed;
    JournalRecords Records;

    // The check's findings of each record that has any, by record number,
    // and those of the bytes behind the last whole record.
    QHash<int, QStringList> RecordFindings;
    QStringList EndFindings;

    // The journal's history (JournalHistory), kept from this reading when
    // the journal changed: the version kept (empty when the latest already
    // held the journal), the latest version, the versions kept after the
    // one the window saw last, each with its changes from the one before
    // it, and why the history could not be kept (empty when it was).
    QString Kept;
    QString Latest;
    std::vector<std::pair<QString, std::vector<JournalChange>>> Versions;
    QString VersionsAfter; // the version the first of Versions is compared with
    QString HistoryError;
    bool HistoryPending = false; // not kept this time: the next reading keeps it
    // The reading differs from the one before (or one before was not kept):
    // set by the follower, worth keeping.
    bool Differs = false;

    int findingCount() const;
    // Every finding, in the order of the journal check.
    QStringList allFindings() const;

    // Reads the journal at `path`, waiting for its lock no longer than
    // `lockTimeoutMs`; compared with the records held when there are any.
    static JournalSnapshot read(const QString& path, int lockTimeoutMs, HeldRecords held = {});

    // Keeps the journal in its history under `root` (the instructor's own
    // when empty) after a reading that found it changed, and gathers the
    // versions kept after `seen`. A journal that is gone is kept as an
    // empty version once it has a history.
    void keepHistory(const QString& root, const QString& seen);

    // The failure text of a file error, in Russian.
    static QString failureText(int ioErrorCode);
};
