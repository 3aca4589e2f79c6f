#pragma once

#include "admission/QuestionRecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Writes a bank as a Moodle XML question file that the learning system
// imports as it stands: one category named after the bank, then each
// record as a "multichoice" question of one right answer (fraction 100,
// the others 0), answers in the bank's order (shuffleanswers 0, numbered
// abc), texts as plain text so that they come back exactly as stored.
// Each question is named by its text, shortened.
//
// A record that the format cannot hold stops the export with an Exception
// naming the bank and the record, as the Aiken export does, and also: an
// empty answer (the learning system would drop it), a control character,
// which XML cannot carry.
class MoodleXmlWriter
{
public:
    static QByteArray write(const std::vector<QuestionRecord>& records, const QString& bankName);
};
