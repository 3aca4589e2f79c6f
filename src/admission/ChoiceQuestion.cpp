#include "admission/ChoiceQuestion.h"

#include "admission/BankText.h"
#include "admission/QuestionRecord.h"

QString ChoiceQuestion::toRecord(QuestionRecord& record) const
{
    std::vector<const Choice*> given;
    for (const Choice& c : Choices)
        if (!c.Text.isEmpty() || c.HasMedia)
            given.push_back(&c);
    if (given.size() != 4)
        return QStringLiteral("%1 answers; the bank holds questions of four").arg(given.size());
    int rightOnes = 0;
    int full = 0;
    for (size_t k = 0; k < given.size(); ++k) {
        if (given[k]->Weight > 0)
            ++rightOnes;
        if (given[k]->Weight >= 99.99) {
            ++full;
            record.RightAnswer = int(k) + 1;
        }
    }
    if (rightOnes > 1)
        return QStringLiteral("%1 answers earn marks; the bank holds questions of one right answer").arg(rightOnes);
    if (full != 1)
        return QStringLiteral("no answer earns full marks; the bank holds questions of one right answer");
    if (HasMedia)
        return QStringLiteral("a picture in the question; the bank holds text only");
    if (Text.isEmpty())
        return QStringLiteral("the question has no text");
    if (const QString f = BankText::fault(Text); !f.isEmpty())
        return QStringLiteral("the question: %1").arg(f);
    BankText::store(record.Question, Text);
    for (int k = 1; k <= 4; ++k) {
        const Choice& answer = *given[size_t(k - 1)];
        if (answer.HasMedia)
            return QStringLiteral("a picture in answer %1; the bank holds text only").arg(k);
        if (const QString f = BankText::fault(answer.Text); !f.isEmpty())
            return QStringLiteral("answer %1: %2").arg(k).arg(f);
        BankText::store(record.answer(k), answer.Text);
    }
    return QString();
}
