#pragma once

#include "admission/QuestionRecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Writes questions back in the Aiken text format that AikenReader reads:
// UTF-8 without a byte order mark, LF line ends, options as "A." to "D.",
// a blank line between questions. Only the counted characters of each text
// are written; Reserved and the unused field bytes are left behind.
//
// A record that the format cannot hold stops the export with an Exception
// naming the bank and the record (numbered from 0): a RightAnswer outside 1
// to 4, an empty question, a question that begins with "ANSWER:", a text
// with a line break in it.
class AikenWriter
{
public:
    static QByteArray write(const std::vector<QuestionRecord>& records, const QString& bankName);
};
