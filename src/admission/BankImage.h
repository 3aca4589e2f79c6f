#pragma once

#include "admission/QuestionRecord.h"

#include <QByteArray>

#include <vector>

// A whole bank file held in memory, as the instructor's tool reads and
// writes it: the whole 1288-byte records in order, and whatever bytes
// trail behind the last whole record.
class BankImage
{
public:
    static std::vector<QuestionRecord> records(const QByteArray& bank);
    // Bytes behind the last whole record: a partial record, 0 to 1287.
    static qsizetype trailingBytes(const QByteArray& bank);
    static QByteArray bytes(const std::vector<QuestionRecord>& records);
};
