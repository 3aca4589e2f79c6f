#pragma once

#include "admission/ImportedQuestions.h"

#include <QByteArray>
#include <QString>

// Reads the questions of a GIFT file into bank records (UTF-8 with or
// without a byte order mark; LF, CR LF or CR line ends):
//
//     // a comment line
//     ::Title::Question text, on one line or on several {
//         =right answer   ~wrong answer#feedback
//         ~wrong answer   ~%0%wrong answer
//     }
//
// Questions stand apart by blank lines; a title is optional; "\~ \= \# \{
// \} \: \\" stand for the characters themselves and "\n" for a line break
// within a text (joined into the one-line text as any other break);
// "$CATEGORY:" lines are passed over. A text marked "[html]" is read from its HTML (HtmlText); any other
// is taken as it stands, its lines joined with a blank. A question the bank
// holds is a multiple-choice one with four answers that say something,
// exactly one of them right ("=" or a weight of 100%) and none other of
// any weight above 0, no text after the answers, no pictures, texts that
// code page 1251 holds in 255 bytes. RightAnswer is the number of the right
// answer in the order written; every other byte of the record is zero.
//
// Every other question (true/false, short answer, numerical, matching,
// essay, missing word, several right answers...) and a description (a
// titled text with no answers) is left out, named by its title, with the
// reason. Text that is not GIFT (an untitled text without "{",
// a "{" that no "}" closes, a title that is not closed, bytes that are not
// UTF-8, no question at all) throws SourceError with the line.
class GiftReader
{
public:
    static ImportedQuestions read(const QByteArray& source, const QString& fileName);

    // Whether a backslash before the character makes it the character
    // itself: ~ = # { } : and the backslash.
    static bool isEscapable(QChar c);

    // Whether the source reads as GIFT (a source refused as another format
    // says so).
    static bool looksLikeGift(const QByteArray& source);
};
