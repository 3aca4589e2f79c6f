#pragma once

#include "admission/QuestionRecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Writes a bank as GIFT text that GiftReader and the learning systems read
// back to the same questions: UTF-8 without a byte order mark, LF line
// ends, a blank line between questions, each question as
//
//     Question text {
//     =right answer
//     ~wrong answer
//     ...
//     }
//
// answers in the bank's order, the characters ~ = # { } : escaped with a
// backslash. A question whose texts hold something like a picture tag,
// which the bank keeps as text, is marked "[plain]" so that it stays text.
//
// A record that the format cannot hold stops the export with an Exception
// naming the bank and the record, as the Aiken export does, and also an
// empty answer, which the learning system would drop.
class GiftWriter
{
public:
    static QByteArray write(const std::vector<QuestionRecord>& records, const QString& bankName);
};
