#pragma once

#include "admission/QuestionRecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Reads questions written in the Aiken text format (UTF-8; a byte order
// mark and CRLF line ends are accepted):
//
//     Question text on one line
//     A. first answer            ("A)" serves as well)
//     B. second answer
//     C. third answer
//     D. fourth answer
//     ANSWER: B
//
// with blank lines between questions. Leading and trailing blanks of a
// line are dropped. Each question becomes one QuestionRecord: RightAnswer 1
// to 4 from the letters A to D, the texts in code page 1251, and every
// other byte (Reserved, the unused bytes of each field) zero, so the same
// source always gives the same bank.
//
// A source with any fault gives no records at all: the first fault throws
// AikenError with the line number and the reason (a missing, misplaced or
// fifth option, a missing or unknown answer letter, a text over 255 bytes
// in code page 1251, a character outside code page 1251, bytes that are not
// UTF-8, a carriage return inside a line, no question at all).
class AikenReader
{
public:
    static std::vector<QuestionRecord> read(const QByteArray& source, const QString& fileName);

    // A line as the reader keeps it: without the spaces and tabs around
    // it, so that a no-break space, which code page 1251 has, stays part
    // of the text.
    static QString trimBlanks(const QString& text);
};
