#pragma once

#include "journal/StudentRecord.h"
#include "platform/Clock.h"
#include "platform/TypedFile.h"

#include <QString>

#include <cstdint>
#include <functional>

class JournalLockFile;

// The student journal of the run: the open journal file JournalFile, a
// typed file of 73-byte records, and the working record, the one student
// record held in memory (all zero at start). Reading a record replaces all
// 73 bytes of the working record; WriteStudent is the only way the journal
// is written.
//
// Several bench computers may share one journal in a network folder. Each
// change of the file is made under the journal's exclusive lock (a record
// lock of the whole file and the journal's lock file, see JournalLock), so
// no two programs append at the same place; a lock not had at once is
// waited for on the journal's clock.
class Journal
{
public:
    // The journal of the bench, opened by its bare name, that is in the
    // current directory.
    static const QString DefaultFileName; // "Students.DAT"

    explicit Journal(QString fileName = DefaultFileName, Clock& clock = Clock::system());

    const QString& fileName() const { return FileName; }
    void setFileName(const QString& name) { FileName = name; }

    // Binds JournalFile to the file name and opens it with read and write
    // access; a missing journal is created empty. An open file is closed
    // first.
    void open();
    // Opens the existing journal for reading only (the instructor's tool).
    void openForReading();
    void close();
    bool isOpen() const { return JournalFile.isOpen(); }

    TypedFile& file() { return JournalFile; }
    const TypedFile& file() const { return JournalFile; }

    // The working record.
    StudentRecord& student() { return Student; }
    const StudentRecord& student() const { return Student; }

    // Writes the 73 bytes of the working record at the current position
    // (which advances it by one record), reads the position and sets it
    // one record back, so that it stays on the record just written and
    // the next WriteStudent updates the same record. Under the lock.
    void WriteStudent();

    // The lookup of registration, on the open journal under the caller's
    // lock. Reads the records from the first on, stopping at the first
    // whose code equals `code` or after the last whole record (the count
    // is taken afresh when the records read so far run out). A stored code
    // that does not convert does not match. Afterwards the working record
    // is the last record read; the position is on the match when found,
    // else at the end of the last whole record. An empty journal is
    // not found, position 0.
    bool findCode(std::int32_t code);

    // The reading of the instructor's programs: opens the existing journal
    // for reading only, takes the shared lock (so no registration or
    // measurement is half written meanwhile), tells `start` the count of
    // whole records, gives every whole record in turn to `visit`, a block
    // at a time, gives the lock back and closes the journal. Returns the
    // size of the file in bytes (a partial record behind the last whole
    // one is counted there only). A lock not had within the lock timeout
    // throws JournalLock's busy text.
    std::int64_t readAll(const std::function<void(std::int64_t)>& start,
                         const std::function<void(std::int64_t, const StudentRecord&)>& visit);

    // How long a lock is waited for before the change is given up.
    int lockTimeout() const { return LockTimeoutMs; }
    void setLockTimeout(int milliseconds) { LockTimeoutMs = milliseconds; }
    Clock& clock() const { return FClock; }

    // How the journal pauses between two attempts at a busy lock: the
    // clock's sleep unless set (the bench keeps its window painted).
    void setPause(std::function<void(int)> pause) { Pause = std::move(pause); }
    void pause(int milliseconds);

    // Before a write under the lock: the lock is still this program's.
    // A lock file broken as stale meanwhile, or whose lease ran out,
    // throws JournalBusy: nothing may be written.
    void checkLockHeld();

private:
    friend class JournalLock;

    QString FileName;
    Clock& FClock;
    TypedFile JournalFile;
    StudentRecord Student {};
    int LockDepth = 0;
    int LockTimeoutMs = 5000;
    std::function<void(int)> Pause;
    // The file system of the open journal refused a record lock: the
    // lock file stands alone until the journal is opened anew.
    bool RecordLocksRefused = false;
    // The lock file of the outermost lock held now, if any.
    JournalLockFile* HeldLockFile = nullptr;
    // Written since the lock was taken: synced before it is given back.
    bool Written = false;
};
