#include "journal/JournalCheck.h"

#include "journal/StudentRecordText.h"

namespace {

template <int N>
void checkLength(QStringList& findings, std::int64_t i, const char* field, const ShortString<N>& s)
{
    if (s.Length > N)
        findings << QStringLiteral("запись %1: длина поля %2 равна %3, больше его ёмкости %4")
                        .arg(i).arg(QLatin1String(field)).arg(int(s.Length)).arg(N);
}

} // namespace

void JournalCheck::reserve(std::int64_t records)
{
    FirstWithCode.reserve(qsizetype(records));
}

QStringList JournalCheck::record(const StudentRecord& r)
{
    const std::int64_t i = Records++;
    QStringList found;
    checkLength(found, i, "FIO", r.FIO);
    checkLength(found, i, "Shifr", r.Shifr);
    checkLength(found, i, "Score", r.Score);
    checkLength(found, i, "Verdict", r.Verdict);
    checkLength(found, i, "Done1", r.Done1);
    checkLength(found, i, "Done2", r.Done2);
    checkLength(found, i, "Done3", r.Done3);
    checkLength(found, i, "Done4", r.Done4);
    checkLength(found, i, "Done5", r.Done5);
    checkLength(found, i, "Done6", r.Done6);
    checkLength(found, i, "WorkMark", r.WorkMark);
    std::int32_t code = 0;
    if (!r.code(code)) {
        found << QStringLiteral("запись %1: шифр '%2' не число").arg(i).arg(StudentRecordText::printable(r.Shifr.text()));
    } else {
        const auto first = FirstWithCode.constFind(code);
        if (first != FirstWithCode.constEnd())
            found << QStringLiteral("запись %1: шифр '%2' уже есть в записи %3, эту запись поиск не находит")
                         .arg(i).arg(StudentRecordText::printable(r.Shifr.text())).arg(*first);
        else
            FirstWithCode.insert(code, i);
    }
    if (r.verdictKind() == StudentRecord::UnknownVerdict)
        found << QStringLiteral("запись %1: неизвестный допуск '%2'")
                     .arg(i).arg(StudentRecordText::printable(r.Verdict.text()));
    Findings += found.size();
    return found;
}

QStringList JournalCheck::end(std::int64_t fileBytes)
{
    const std::int64_t rest = fileBytes - Records * std::int64_t(sizeof(StudentRecord));
    if (rest <= 0)
        return {};
    ++Findings;
    if (Records == 0)
        return { QStringLiteral("нет ни одной целой записи, только неполная: %1 байт из %2")
                     .arg(rest).arg(sizeof(StudentRecord)) };
    return { QStringLiteral("после записи %1 неполная запись: %2 байт из %3")
                 .arg(Records - 1).arg(rest).arg(sizeof(StudentRecord)) };
}

QString JournalCheck::summary() const
{
    return QStringLiteral("записей: %1, замечаний: %2").arg(Records).arg(Findings);
}
