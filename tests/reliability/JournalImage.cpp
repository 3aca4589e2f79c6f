#include "JournalImage.h"

#include "journal/JournalCheck.h"

#include <cstring>

JournalImage::JournalImage(const QByteArray& bytes)
{
    const qsizetype size = sizeof(StudentRecord);
    Records.resize(size_t(bytes.size() / size));
    if (!Records.empty())
        std::memcpy(Records.data(), bytes.constData(), Records.size() * sizeof(StudentRecord));
    Partial = bytes.size() % size;
    for (size_t i = 0; i < Records.size(); ++i)
        Where[Records[i].Shifr.bytes()] << int(i);
    JournalCheck check;
    for (const StudentRecord& r : Records)
        Faults += check.record(r);
}

const StudentRecord* JournalImage::find(const QByteArray& code) const
{
    const QList<int> at = indexesOf(code);
    return at.isEmpty() ? nullptr : &Records[size_t(at.first())];
}

QStringList JournalImage::duplicates() const
{
    QStringList out;
    for (auto it = Where.constBegin(); it != Where.constEnd(); ++it)
        if (it.value().size() > 1)
            out << QStringLiteral("%1 in %2 records").arg(QString::fromLatin1(it.key())).arg(it.value().size());
    return out;
}

QString JournalImage::newStudentFault(const StudentRecord& r, const QString& fio, const QByteArray& code)
{
    if (r.FIO.text() != fio)
        return QStringLiteral("name '%1', not '%2'").arg(r.FIO.text(), fio);
    if (r.Shifr.bytes() != code)
        return QStringLiteral("code '%1'").arg(r.Shifr.text());
    if (!r.Score.equals("0") || !r.Verdict.equals(StudentRecord::VerdictNew) || r.WorkMark.Length != 0)
        return QStringLiteral("score, verdict or work mark of a new student changed");
    for (int k = 1; k <= 6; ++k)
        if (!r.done(k).equals(StudentRecord::FlagNotDone))
            return QStringLiteral("flag %1 of a new student is set").arg(k);
    return QString();
}

QString JournalImage::measuredFault(const StudentRecord& r, const StudentRecord& before)
{
    if (std::memcmp(&r, &before, offsetof(StudentRecord, Done1)) != 0)
        return QStringLiteral("name, code, score or verdict changed");
    bool all = true;
    for (int k = 1; k <= 6; ++k) {
        const bool done = r.done(k).equals(StudentRecord::FlagDone);
        if (!done && !r.done(k).equals(StudentRecord::FlagNotDone))
            return QStringLiteral("flag %1 is '%2'").arg(k).arg(r.done(k).text());
        all = all && done;
    }
    if (all != r.WorkMark.equals(StudentRecord::WorkDone))
        return QStringLiteral("work mark '%1' with flags %2").arg(r.WorkMark.text(), all ? "all set" : "not all set");
    if (!all && r.WorkMark.Length != 0)
        return QStringLiteral("work mark without the six flags");
    return QString();
}
