#pragma once

#include "journal/StudentRecord.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// A journal's bytes as they stood at one moment: a kept version, a file the
// instructor names, or the live journal read under its shared lock. The
// records are the whole 73-byte ones; bytes behind the last whole record (a
// write cut off) are kept along, as the file held them.
class JournalContent
{
public:
    JournalContent() = default;
    explicit JournalContent(QByteArray bytes)
        : Bytes(std::move(bytes))
    {
    }

    // The journal at `path`, read whole under its shared lock, so no bench
    // is half way through a write meanwhile. A missing file throws "File
    // not found"; a lock not had within `lockTimeoutMs`, the busy text.
    static JournalContent read(const QString& path, int lockTimeoutMs = 5000);

    const QByteArray& bytes() const { return Bytes; }
    std::int64_t size() const { return Bytes.size(); }
    // The count of whole records.
    std::int64_t count() const { return Bytes.size() / std::int64_t(sizeof(StudentRecord)); }
    // Record i, 0 <= i < count().
    StudentRecord record(std::int64_t i) const;
    // The bytes behind the last whole record.
    QByteArray tail() const { return Bytes.mid(count() * std::int64_t(sizeof(StudentRecord))); }

    bool operator==(const JournalContent& other) const { return Bytes == other.Bytes; }

private:
    QByteArray Bytes;
};
