#pragma once

// Helpers of the journal tests: records and journal files built byte by
// byte, independent of the code under test.

#include "platform/Cp1251.h"
#include "journal/StudentRecord.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstring>

namespace fixture {

// A length-prefixed field of the given capacity: length byte, the
// characters, then `fill` up to the capacity.
inline QByteArray field(const QByteArray& chars, int capacity, char fill = '\0')
{
    QByteArray out(1, char(chars.size()));
    out += chars;
    out += QByteArray(capacity - int(chars.size()), fill);
    return out;
}

inline QByteArray cp(const QString& text) { return Cp1251::encode(text); }

// A whole 73-byte record with the values given and zero behind them.
inline QByteArray record(const QString& fio, const QByteArray& shifr, const QByteArray& score = "0",
                         const QByteArray& verdict = StudentRecord::VerdictNew, const QByteArray& flags = "------",
                         const QByteArray& workMark = QByteArray())
{
    QByteArray r = field(cp(fio), 30) + field(shifr, 6) + field(score, 2) + field(verdict, 8);
    for (char f : flags)
        r += field(QByteArray(1, f), 1);
    r += field(workMark, 10);
    return r;
}

// A record with its Verdict field replaced by the bytes given in hex
// (length byte and all eight character bytes, left-overs included).
inline QByteArray withVerdictField(QByteArray record, const char* hex)
{
    const QByteArray verdict = QByteArray::fromHex(hex);
    Q_ASSERT(verdict.size() == int(sizeof(StudentRecord::Verdict)));
    record.replace(int(offsetof(StudentRecord, Verdict)), int(verdict.size()), verdict);
    return record;
}

inline StudentRecord toRecord(const QByteArray& bytes)
{
    StudentRecord r;
    std::memcpy(&r, bytes.constData(), sizeof r);
    return r;
}

inline QByteArray bytesOf(const StudentRecord& r)
{
    return QByteArray(reinterpret_cast<const char*>(&r), int(sizeof r));
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

} // namespace fixture
