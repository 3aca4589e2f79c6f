#pragma once

#include "platform/ShortString.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// One student of the journal "Students.DAT": 73 bytes, no padding, every
// text a length byte and its capacity in code page 1251 characters. Only
// the counted characters carry meaning; the bytes behind them keep what
// the record held before and are written along with the rest.
#pragma pack(push, 1)
struct StudentRecord
{
    ShortString<30> FIO;      // surname and initials as typed
    ShortString<6> Shifr;     // student code as typed; the key of the record
    ShortString<2> Score;     // right answers of the last admission test
    ShortString<8> Verdict;   // admission verdict
    ShortString<1> Done1;     // "+" once the gain has been measured, else "-"
    ShortString<1> Done2;     // input offset voltage
    ShortString<1> Done3;     // input currents
    ShortString<1> Done4;     // input resistance
    ShortString<1> Done5;     // output resistance
    ShortString<1> Done6;     // common-mode rejection ratio
    ShortString<10> WorkMark; // "выполнена" once all six are done, else empty

    // The exact bytes of the stored values. The verdicts of the test carry
    // the Latin small e (byte 65) in "зачeт" and "незачeт"; the value of a
    // new student has the Cyrillic е and a space. Readers compare bytes.
    static const QByteArray VerdictNew;    // "не зачет"
    static const QByteArray VerdictPassed; // "зачeт"
    static const QByteArray VerdictFailed; // "незачeт"
    static const QByteArray FlagDone;      // "+"
    static const QByteArray FlagNotDone;   // "-"
    static const QByteArray WorkDone;      // "выполнена"

    // What the stored verdict says, decided from its exact bytes: the
    // value of a new student (or of one who gave the test up), the pass,
    // the fail, or none of the three (a damaged record).
    enum VerdictKind { NotTested, Passed, Failed, UnknownVerdict };
    VerdictKind verdictKind() const;

    // The flag of measurement k, 1 to 6.
    ShortString<1>& done(int k);
    const ShortString<1>& done(int k) const;

    // A new student: Score "0", Verdict "не зачет", all flags "-", no
    // WorkMark. FIO and Shifr are set by the caller.
    void setNewStudent();
    // The number of right answers in decimal, cut to the 2 characters of
    // the field.
    void setScore(int rightAnswers);
    void setVerdictPassed();
    void setVerdictFailed();
    // Sets the flag of measurement k (1 to 6) to "+".
    void setDone(int k);
    // The flag test: Done1 to Done6 compared one after another with "+",
    // stopping at the first that differs. When all six are "+", WorkMark
    // becomes "выполнена" and the result is true; otherwise nothing
    // changes.
    bool markWorkIfComplete();

    // The stored code as a 32-bit integer by the standard integer
    // conversion; false when it does not convert.
    bool code(std::int32_t& value) const;

    // The value of a stored code of plain decimal digits, the usual case,
    // without building a text (six digits cannot overflow); -1 for any
    // other code, which only the standard conversion can decide.
    std::int32_t plainCode() const
    {
        const int n = Shifr.length();
        if (n == 0)
            return -1;
        std::int32_t v = 0;
        for (int i = 0; i < n; ++i) {
            const unsigned digit = static_cast<unsigned char>(Shifr.Chars[i]) - unsigned('0');
            if (digit > 9)
                return -1;
            v = v * 10 + std::int32_t(digit);
        }
        return v;
    }
};
#pragma pack(pop)

static_assert(sizeof(StudentRecord) == 73);
static_assert(offsetof(StudentRecord, FIO) == 0);
static_assert(offsetof(StudentRecord, Shifr) == 31);
static_assert(offsetof(StudentRecord, Score) == 38);
static_assert(offsetof(StudentRecord, Verdict) == 41);
static_assert(offsetof(StudentRecord, Done1) == 50);
static_assert(offsetof(StudentRecord, Done2) == 52);
static_assert(offsetof(StudentRecord, Done3) == 54);
static_assert(offsetof(StudentRecord, Done4) == 56);
static_assert(offsetof(StudentRecord, Done5) == 58);
static_assert(offsetof(StudentRecord, Done6) == 60);
static_assert(offsetof(StudentRecord, WorkMark) == 62);
