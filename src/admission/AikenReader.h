#pragma once

#include "admission/QuestionRecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Reads questions written in the Aiken text format, as the learning
// systems read it (UTF-8, with or without a byte order mark; lines ending
// in LF, CR LF or CR):
//
//     Question text, on one line or on several (joined with a space)
//     A. first answer            ("A)" serves as well)
//     B. second answer
//     C. third answer
//     D. fourth answer
//     ANSWER: B                  ("ANSWER:B" as well)
//
// Blank lines may stand between questions and between the parts of one;
// the spaces and tabs around every line are dropped. Each question becomes
// one QuestionRecord: RightAnswer 1 to 4 from the letters A to D, the
// texts in code page 1251, and every other byte (Reserved, the unused
// bytes of each field) zero, so the same source always gives the same bank.
//
// A source with any fault gives no records at all: the first fault throws
// AikenError with the line number and the reason (a missing, misplaced or
// fifth option, a missing or unknown answer letter, a text over 255 bytes
// in code page 1251, a character outside code page 1251, bytes that are not
// UTF-8, no question at all). The bank holds exactly four answers, so a
// question of another count is refused rather than left out.
class AikenReader
{
public:
    static std::vector<QuestionRecord> read(const QByteArray& source, const QString& fileName);
};
