#include "journal/StudentRecordText.h"

#include "journal/Grading.h"

QString StudentRecordText::printable(QString text)
{
    for (QChar& c : text)
        if (isControl(c.unicode()))
            c = QLatin1Char('?');
    return text;
}

QString StudentRecordText::verdictWords(const StudentRecord& r)
{
    switch (r.verdictKind()) {
    case StudentRecord::NotTested: return QStringLiteral("не сдан");
    case StudentRecord::Passed: return QStringLiteral("зачёт");
    case StudentRecord::Failed: return QStringLiteral("незачёт");
    case StudentRecord::UnknownVerdict: break;
    }
    return r.Verdict.text();
}

QString StudentRecordText::name(const StudentRecord& r)
{
    return printable(r.FIO.text());
}

QString StudentRecordText::code(const StudentRecord& r)
{
    return printable(r.Shifr.text());
}

QString StudentRecordText::score(const StudentRecord& r)
{
    return printable(r.Score.text());
}

QString StudentRecordText::verdict(const StudentRecord& r)
{
    return printable(verdictWords(r));
}

QString StudentRecordText::work(const StudentRecord& r)
{
    return printable(r.WorkMark.text());
}

QString StudentRecordText::storedVerdict(const StudentRecord& r)
{
    return QStringLiteral("В журнале: «%1» (байты %2)")
        .arg(printable(r.Verdict.text()), QString::fromLatin1(r.Verdict.bytes().toHex(' ').toUpper()));
}

int StudentRecordText::scoreValue(const StudentRecord& r)
{
    const int n = r.Score.length();
    if (n == 0)
        return -1;
    int v = 0;
    for (int i = 0; i < n; ++i) {
        const unsigned digit = static_cast<unsigned char>(r.Score.Chars[i]) - unsigned('0');
        if (digit > 9)
            return -1;
        v = v * 10 + int(digit);
    }
    return v;
}

bool StudentRecordText::measured(const StudentRecord& r, int k)
{
    return r.done(k).equals(StudentRecord::FlagDone);
}

bool StudentRecordText::oddFlag(const StudentRecord& r, int k)
{
    return !r.done(k).equals(StudentRecord::FlagDone) && !r.done(k).equals(StudentRecord::FlagNotDone);
}

QString StudentRecordText::oddFlagText(const StudentRecord& r, int k)
{
    return oddFlag(r, k) ? printable(r.done(k).text()) : QString();
}

bool StudentRecordText::allMeasured(const StudentRecord& r)
{
    for (int k = 1; k <= Grading::Measurements; ++k)
        if (!measured(r, k))
            return false;
    return true;
}

bool StudentRecordText::workDone(const StudentRecord& r)
{
    return r.WorkMark.equals(StudentRecord::WorkDone);
}

QString StudentRecordText::measurementSymbol(int k)
{
    static const char16_t* const Symbols[Grading::Measurements] = { u"Ку", u"Uсм", u"Iвх", u"Rвх", u"Rвых", u"КОСС" };
    return QString::fromUtf16(Symbols[k - 1]);
}

QString StudentRecordText::measurementName(int k)
{
    static const char16_t* const Names[Grading::Measurements] = {
        u"Коэффициент усиления",  u"Напряжение смещения",    u"Входные токи",
        u"Входное сопротивление", u"Выходное сопротивление", u"Коэффициент ослабления синфазного сигнала",
    };
    return QString::fromUtf16(Names[k - 1]);
}
