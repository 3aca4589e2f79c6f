#pragma once

// Helpers of the tests that need question banks: records whose every text
// tells its bank and number, and banks of them as bytes.

#include "admission/QuestionRecord.h"

#include <QByteArray>
#include <QString>

#include <cstring>
#include <functional>
#include <vector>

namespace fixture {

using Bank = std::vector<QuestionRecord>;

// A question "<name>, запись k" with the answers "<name>, запись k, ответ a"
// and the right answer given. Reserved and the bytes behind every text hold
// junk, which must not reach the screen.
inline QuestionRecord question(const QString& name, int k, int right)
{
    QuestionRecord r;
    std::memset(&r, 0xA5, sizeof r);
    r.RightAnswer = right;
    r.Question.set(QStringLiteral("%1, запись %2").arg(name).arg(k));
    for (int a = 1; a <= 4; ++a)
        r.answer(a).set(QStringLiteral("%1, запись %2, ответ %3").arg(name).arg(k).arg(a));
    return r;
}

// A bank of `count` records named `name`; record k has the right answer
// right(k), by default 1, 2, 3, 4, 1, ... so that every box is needed.
inline Bank bank(const QString& name, int count, const std::function<int(int)>& right = {})
{
    Bank b;
    for (int k = 0; k < count; ++k)
        b.push_back(question(name, k, right ? right(k) : k % 4 + 1));
    return b;
}

// The banks of the window tests: "Qest.txt" and "Qest1.txt".
inline Bank firstBank(int count, const std::function<int(int)>& right = {})
{
    return bank(QStringLiteral("Первый банк"), count, right);
}
inline Bank secondBank(int count, const std::function<int(int)>& right = {})
{
    return bank(QStringLiteral("Второй банк"), count, right);
}

inline QByteArray bytesOf(const QuestionRecord& r)
{
    return QByteArray(reinterpret_cast<const char*>(&r), int(sizeof r));
}

inline QByteArray bytesOf(const Bank& b)
{
    QByteArray out;
    for (const QuestionRecord& r : b)
        out += bytesOf(r);
    return out;
}

// The whole records of a bank file's bytes; a partial record at the end
// is not one.
inline Bank recordsOf(const QByteArray& bytes)
{
    Bank b(size_t(bytes.size()) / sizeof(QuestionRecord));
    std::memcpy(b.data(), bytes.constData(), b.size() * sizeof(QuestionRecord));
    return b;
}

} // namespace fixture
