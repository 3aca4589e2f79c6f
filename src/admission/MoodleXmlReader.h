#pragma once

#include "admission/ImportedQuestions.h"

#include <QByteArray>
#include <QString>

// Reads the questions of a Moodle XML file (a <quiz> of <question>
// elements) into bank records. A question the bank holds is a
// "multichoice" question with one right answer: <single> true and exactly
// one answer of fraction 100, every other of fraction 0 or below, four
// answers that say something (the learning system itself drops blank
// ones), texts without pictures that code page 1251 can hold in 255 bytes.
// Its texts are read from their HTML as plain text (HtmlText); plain-text
// and Markdown texts are taken as they stand, line breaks joined with a
// blank. RightAnswer is the number of the right answer in the order the
// file lists them; every other byte of the record is zero.
//
// Categories are passed over. Every other question is left out, named by
// its <name>, with the reason (ImportedQuestions::Skipped). A file that is
// not well-formed XML (bytes its declared encoding does not hold named as
// such, with their line), is no <quiz>, or holds no question at all throws
// SourceError with the line.
class MoodleXmlReader
{
public:
    static ImportedQuestions read(const QByteArray& source, const QString& fileName);
};
