#pragma once

#include "admission/QuestionRecord.h"

#include <QString>

// The texts of one bank record as an export writes them, each taken only
// when a text format can hold it; anything else stops the export with an
// Exception naming the bank and the record (numbered from 0, as the bench
// numbers them): "Qest.txt: record 2: answer 3 has a line break in it".
class RecordText
{
public:
    RecordText(const QuestionRecord& record, const QString& bankName, size_t index);

    // 1 to 4; refused outside.
    int rightAnswer() const;
    // Refused when it has a line break in it or is blank.
    QString question() const;
    // Refused when it has a line break in it.
    QString answer(int number) const;
    // Refused as well when it is blank: the learning systems drop an
    // empty answer, and the question would arrive with three.
    QString nonEmptyAnswer(int number) const;

    [[noreturn]] void refuse(const QString& reason) const;

    // Whether the text is nothing but spaces and tabs, which every reader
    // trims away.
    static bool isBlank(const QString& text);

private:
    QString lineText(const ShortString<255>& field, const QString& what) const;

    const QuestionRecord& Record;
    const QString& BankName;
    size_t Index;
};
