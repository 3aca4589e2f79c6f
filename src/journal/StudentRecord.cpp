#include "journal/StudentRecord.h"

#include "platform/NumberText.h"

#include <stdexcept>

// Written as bytes: "зачeт" and "незачeт" look the same as their Cyrillic
// spellings, and only the bytes say which letter e they hold.
const QByteArray StudentRecord::VerdictNew("\xED\xE5\x20\xE7\xE0\xF7\xE5\xF2", 8);
const QByteArray StudentRecord::VerdictPassed("\xE7\xE0\xF7\x65\xF2", 5);
const QByteArray StudentRecord::VerdictFailed("\xED\xE5\xE7\xE0\xF7\x65\xF2", 7);
const QByteArray StudentRecord::FlagDone("+", 1);
const QByteArray StudentRecord::FlagNotDone("-", 1);
const QByteArray StudentRecord::WorkDone("\xE2\xFB\xEF\xEE\xEB\xED\xE5\xED\xE0", 9);

StudentRecord::VerdictKind StudentRecord::verdictKind() const
{
    if (Verdict.equals(VerdictNew))
        return NotTested;
    if (Verdict.equals(VerdictPassed))
        return Passed;
    if (Verdict.equals(VerdictFailed))
        return Failed;
    return UnknownVerdict;
}

ShortString<1>& StudentRecord::done(int k)
{
    switch (k) {
    case 1: return Done1;
    case 2: return Done2;
    case 3: return Done3;
    case 4: return Done4;
    case 5: return Done5;
    case 6: return Done6;
    default: throw std::out_of_range("measurement flag out of 1..6");
    }
}

const ShortString<1>& StudentRecord::done(int k) const
{
    return const_cast<StudentRecord*>(this)->done(k);
}

void StudentRecord::setNewStudent()
{
    Score.setBytes("0");
    Verdict.setBytes(VerdictNew);
    for (int k = 1; k <= 6; ++k)
        done(k).setBytes(FlagNotDone);
    WorkMark.setBytes(QByteArray());
}

void StudentRecord::setScore(int rightAnswers)
{
    Score.setBytes(QByteArray::number(rightAnswers));
}

void StudentRecord::setVerdictPassed()
{
    Verdict.setBytes(VerdictPassed);
}

void StudentRecord::setVerdictFailed()
{
    Verdict.setBytes(VerdictFailed);
}

void StudentRecord::setDone(int k)
{
    done(k).setBytes(FlagDone);
}

bool StudentRecord::markWorkIfComplete()
{
    for (int k = 1; k <= 6; ++k)
        if (!done(k).equals(FlagDone))
            return false;
    WorkMark.setBytes(WorkDone);
    return true;
}

bool StudentRecord::code(std::int32_t& value) const
{
    const std::int32_t plain = plainCode();
    if (plain >= 0) {
        value = plain;
        return true;
    }
    return NumberText::tryToInt(Shifr.text(), value);
}
