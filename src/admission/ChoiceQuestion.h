#pragma once

#include <QString>

#include <vector>

struct QuestionRecord;

// A multiple-choice question as a learning system gives it, its texts
// already made plain: what the Moodle XML and GIFT readers hand on to be
// stored as a bank's record.
struct ChoiceQuestion
{
    struct Choice
    {
        QString Text;          // plain text
        bool HasMedia = false; // a picture in the text
        double Weight = 0;     // the share of the marks it earns, in per cent
    };

    QString Text;
    bool HasMedia = false;
    std::vector<Choice> Choices;

    // Fills `record` with the question, its four answers and the right
    // one, or names why the bank cannot hold it: choices left empty do
    // not count, four must remain, exactly one earning full marks and no
    // other any marks, every text without pictures and storable.
    QString toRecord(QuestionRecord& record) const;
};
