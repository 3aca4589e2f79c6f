#pragma once

// A journal of many students in every state, written as the benches write
// it, for the measurements of the instructor's window.

#include "journal/StudentRecord.h"

#include <QFile>
#include <QString>

#include <cstdint>

inline StudentRecord classStudent(int i)
{
    // A fixed sequence, so every run reads the same journal.
    std::uint32_t seed = std::uint32_t(i) * 2654435761u + 12345u;
    auto next = [&seed](std::uint32_t n) {
        seed = seed * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(seed) * n) >> 32);
    };
    static const char16_t* const Surnames[] = { u"Иванов", u"Петрова", u"Сидоров", u"Кузнецова", u"Смирнов",
                                                u"Попова", u"Лебедев", u"Козлова", u"Новиков", u"Морозова" };
    StudentRecord r {};
    r.FIO.set(QString::fromUtf16(Surnames[next(10)]) + QStringLiteral(" %1 А.Б.").arg(i));
    r.Shifr.setBytes(QByteArray::number(100000 + i % 900000));
    r.setNewStudent();
    const std::uint32_t state = next(10);
    if (state >= 2) {
        const int score = state == 2 ? int(next(7)) : 7 + int(next(4));
        r.setScore(score);
        if (score < 7)
            r.setVerdictFailed();
        else
            r.setVerdictPassed();
        if (score >= 7) {
            const int done = int(next(7));
            for (int k = 1; k <= done; ++k)
                r.setDone(k);
            r.markWorkIfComplete();
        }
    }
    return r;
}

inline bool writeClassJournal(const QString& path, int count)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (int i = 0; i < count; ++i) {
        const StudentRecord r = classStudent(i);
        f.write(reinterpret_cast<const char*>(&r), sizeof r);
    }
    return f.error() == QFile::NoError;
}
