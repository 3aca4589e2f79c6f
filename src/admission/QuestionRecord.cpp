#include "admission/QuestionRecord.h"

#include "platform/Exception.h"

ShortString<255>& QuestionRecord::answer(int number)
{
    return const_cast<ShortString<255>&>(static_cast<const QuestionRecord&>(*this).answer(number));
}

const ShortString<255>& QuestionRecord::answer(int number) const
{
    switch (number) {
    case 1: return Answer1;
    case 2: return Answer2;
    case 3: return Answer3;
    case 4: return Answer4;
    default: throw Exception(QStringLiteral("Answer number %1 is outside 1 to 4").arg(number));
    }
}
