#pragma once

#include <QString>

// A question of a Moodle XML or GIFT source that the bank cannot hold (a
// true/false question, three answers, several right answers, a picture,
// a text the code page cannot hold...), left out of the import: where it
// begins in the source, its number among the source's questions (from 1,
// categories not counted), its title or name in the other system (empty
// when it has none) and why it was left out.
struct SkippedQuestion
{
    int Line = 0;
    int Number = 0;
    QString Name;
    QString Reason;

    // The line the tool prints: "FILE:LINE: question 3 "Name" skipped:
    // reason", without the name when there is none.
    QString message(const QString& fileName) const;
};
