#include "admission/RecordText.h"

#include "platform/Exception.h"

namespace {

QString answerName(int number)
{
    return QStringLiteral("answer %1").arg(number);
}

} // namespace

RecordText::RecordText(const QuestionRecord& record, const QString& bankName, size_t index)
    : Record(record)
    , BankName(bankName)
    , Index(index)
{
}

int RecordText::rightAnswer() const
{
    if (Record.RightAnswer < 1 || Record.RightAnswer > 4)
        refuse(QStringLiteral("right answer %1 is outside 1 to 4").arg(Record.RightAnswer));
    return Record.RightAnswer;
}

QString RecordText::question() const
{
    const QString text = lineText(Record.Question, QStringLiteral("the question"));
    if (isBlank(text))
        refuse(QStringLiteral("the question is empty"));
    return text;
}

QString RecordText::answer(int number) const
{
    return lineText(Record.answer(number), answerName(number));
}

QString RecordText::nonEmptyAnswer(int number) const
{
    const QString text = answer(number);
    if (isBlank(text))
        refuse(QStringLiteral("%1 is empty, and an empty answer is dropped by the learning systems")
                   .arg(answerName(number)));
    return text;
}

void RecordText::refuse(const QString& reason) const
{
    throw Exception(QStringLiteral("%1: record %2: %3").arg(BankName).arg(Index).arg(reason));
}

bool RecordText::isBlank(const QString& text)
{
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return false;
    return true;
}

QString RecordText::lineText(const ShortString<255>& field, const QString& what) const
{
    const QString text = field.text();
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        refuse(QStringLiteral("%1 has a line break in it").arg(what));
    return text;
}
