#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// A file of fixed-size records with no header, addressed by record number,
// as the journal and the question banks are stored. Every operation that
// fails throws EInOutError with the runtime's code and text.
//
// The record count is the file size divided by the record size, rounded
// down: a trailing partial record is not counted, and a record written at
// the end of the last whole record lands over the partial bytes.
class TypedFile
{
public:
    explicit TypedFile(int recordSize);
    ~TypedFile();

    TypedFile(const TypedFile&) = delete;
    TypedFile& operator=(const TypedFile&) = delete;

    // Binds the file to a name; an open file is closed first.
    void assign(const QString& name);
    const QString& name() const { return Name; }

    // Opens the existing file with read and write access, position 0.
    void reset();
    // Creates the file empty (or empties it) with read and write access.
    void rewrite();
    // Opens the file with read and write access, creating it empty when it
    // is missing. A file that exists is opened without change, even one
    // that another program created a moment ago. A file made here is
    // shared with the group of its folder when that group may write there
    // (GroupShare), as the journal of a class is.
    void resetOrCreate();
    // Opens the existing file for reading only, position 0: for readers
    // that must work on a read-only file too. A write then fails.
    void resetForReading();
    void close();

    // Closes the handle while the file stays open to the program: name,
    // access and position are kept, and the next operation (or resume)
    // opens the existing file again. The journal is parked so between two
    // changes where no record lock makes a network folder's copy the one
    // read: each change opens it anew.
    void park();
    // Opens a parked file again, at the position it had.
    void resume() const;
    // Opens an open file again, at the position it had.
    void reopen();

    bool isOpen() const { return Fd >= 0 || Parked; }
    // The handle, -1 when the file is closed or parked.
    int handle() const { return Fd; }
    int recordSize() const { return RecordSize; }

    void seek(std::int64_t record);
    std::int64_t filePos() const;
    std::int64_t fileSize() const;

    // Reads one whole record at the position and advances by one. A short
    // read fails with "Read beyond end of file" and leaves the position.
    void read(void* record);
    // Reads up to maxRecords whole records at once; returns how many were
    // read (0 at the end) and advances by that many.
    std::int64_t readBlock(void* records, std::int64_t maxRecords);
    // The whole file as it stands, a partial record behind the last whole
    // one included; the position stays.
    QByteArray readAll();
    // Writes one whole record at the position and advances by one.
    void write(const void* record);
    // Cuts the file to `records` whole records (bytes behind them go);
    // the position stays.
    void truncate(std::int64_t records);
    // Forces what was written to the storage device.
    void flush();

private:
    enum class OpenMode { Existing, Create, CreateIfMissing, ReadOnly };

    // Throws "I/O error 103" for a file that is not open; opens a parked
    // one again.
    void requireOpen() const;
    void open(OpenMode mode);
    void closeHandle();

    QString Name;
    int RecordSize;
    mutable int Fd = -1;
    mutable bool Parked = false;
    OpenMode Mode = OpenMode::Existing; // as the file was opened
    std::int64_t Pos = 0; // in bytes, always a multiple of RecordSize
};
