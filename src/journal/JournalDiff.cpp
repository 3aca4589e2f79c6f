#include "journal/JournalDiff.h"

#include "journal/Grading.h"
#include "journal/StudentRecordText.h"

#include <QHash>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::int64_t RecordBytes = std::int64_t(sizeof(StudentRecord));
// Foreign changes named on a line of the history.
constexpr int NamedInAccount = 3;

// Two fields hold the same value: the same length byte and the same
// counted characters (the bytes behind them carry nothing).
template <int N>
bool same(const ShortString<N>& a, const ShortString<N>& b)
{
    return a.Length == b.Length && std::memcmp(a.Chars, b.Chars, size_t(a.length())) == 0;
}

// What a record is matched by: its name and its code, as stored.
QByteArray identity(const StudentRecord& r)
{
    QByteArray key;
    key.reserve(40);
    key += char(r.FIO.Length);
    key += r.FIO.bytes();
    key += char(r.Shifr.Length);
    key += r.Shifr.bytes();
    return key;
}

QString quoted(const QString& text)
{
    return QStringLiteral("«%1»").arg(StudentRecordText::printable(text));
}

QString who(const StudentRecord& r)
{
    const QString name = r.FIO.length() > 0 ? StudentRecordText::name(r) : QStringLiteral("без имени");
    return QStringLiteral("%1, шифр %2").arg(name, StudentRecordText::code(r));
}

// "зачёт, балл 8"; a verdict none of the three the program writes is
// quoted as it stands.
QString resultText(const StudentRecord& r)
{
    const QString verdict = r.verdictKind() == StudentRecord::UnknownVerdict ? quoted(r.Verdict.text())
                                                                              : StudentRecordText::verdictWords(r);
    return QStringLiteral("%1, балл %2").arg(verdict, StudentRecordText::score(r));
}

bool isNewStudent(const StudentRecord& r)
{
    return r.Score.Length == 1 && r.Score.Chars[0] == '0' && r.verdictKind() == StudentRecord::NotTested;
}

QString numbers(const QList<int>& ks)
{
    QStringList out;
    for (int k : ks)
        out << QString::number(k);
    return out.join(QStringLiteral(", "));
}

// The state of a record in words, for one that is new to the journal.
QString stateText(const StudentRecord& r)
{
    QString text = resultText(r);
    QList<int> done;
    for (int k = 1; k <= Grading::Measurements; ++k)
        if (StudentRecordText::measured(r, k))
            done << k;
    if (!done.isEmpty())
        text += QStringLiteral(", измерения %1").arg(numbers(done));
    if (StudentRecordText::workDone(r))
        text += QStringLiteral(", работа выполнена");
    return text;
}

class Comparison
{
public:
    Comparison(const JournalContent& before, const JournalContent& after)
        : Before(before)
        , After(after)
    {
    }

    std::vector<JournalChange> run()
    {
        const std::int64_t n0 = Before.count();
        const std::int64_t n1 = After.count();
        OldMatch.assign(size_t(n0), -1);
        NewMatch.assign(size_t(n1), -1);

        // The same record at the same number, as a bench leaves every
        // record it does not append.
        for (std::int64_t i = 0; i < std::min(n0, n1); ++i)
            if (identity(Before.record(i)) == identity(After.record(i)))
                match(i, i);
        // A record found at another number has moved.
        QHash<QByteArray, QList<std::int64_t>> unmatched;
        for (std::int64_t j = 0; j < n1; ++j)
            if (NewMatch[size_t(j)] < 0)
                unmatched[identity(After.record(j))].append(j);
        for (std::int64_t i = 0; i < n0; ++i) {
            if (OldMatch[size_t(i)] >= 0)
                continue;
            const auto found = unmatched.find(identity(Before.record(i)));
            if (found != unmatched.end() && !found->isEmpty())
                match(i, found->takeFirst());
        }
        // A record still at its number with another name or code.
        for (std::int64_t i = 0; i < std::min(n0, n1); ++i)
            if (OldMatch[size_t(i)] < 0 && NewMatch[size_t(i)] < 0)
                match(i, i);

        for (std::int64_t j = 0; j < n1; ++j) {
            const std::int64_t i = NewMatch[size_t(j)];
            if (i >= 0)
                record(Before.record(i), After.record(j), i, j);
            else
                added(After.record(j), j, j < n0);
        }
        bool cutOff = false;
        for (std::int64_t i = 0; i < n0; ++i) {
            if (OldMatch[size_t(i)] >= 0)
                continue;
            const StudentRecord r = Before.record(i);
            const std::int64_t left = After.size() - i * RecordBytes;
            if (i == n1 && left > 0) {
                cutOff = true;
                add(JournalChange::CutOff, i, r,
                    QStringLiteral("обрезана: осталось %1 байт из %2").arg(left).arg(RecordBytes));
            } else {
                add(JournalChange::Removed, i, r, QStringLiteral("удалена"));
            }
        }
        const QByteArray tail = After.tail();
        if (!tail.isEmpty() && !cutOff && !(n0 == n1 && Before.tail() == tail)) {
            JournalChange c;
            c.What = JournalChange::PartialTail;
            c.Record = n1;
            c.Text = QStringLiteral("неполная запись в конце: %1 байт из %2, запись прервана")
                         .arg(tail.size())
                         .arg(RecordBytes);
            Changes.push_back(c);
        }
        std::stable_sort(Changes.begin(), Changes.end(),
                         [](const JournalChange& a, const JournalChange& b) { return a.Record < b.Record; });
        return std::move(Changes);
    }

private:
    void match(std::int64_t i, std::int64_t j)
    {
        OldMatch[size_t(i)] = j;
        NewMatch[size_t(j)] = i;
    }

    void add(JournalChange::Kind kind, std::int64_t number, const StudentRecord& r, const QString& text,
             std::int64_t from = -1)
    {
        JournalChange c;
        c.What = kind;
        c.Record = number;
        c.From = from;
        c.Who = who(r);
        c.Text = text;
        Changes.push_back(c);
    }

    // Record i of the earlier state, now record j.
    void record(const StudentRecord& o, const StudentRecord& n, std::int64_t i, std::int64_t j)
    {
        const size_t before = Changes.size();
        if (i != j)
            add(JournalChange::Moved, j, n, QStringLiteral("перемещена: была записью %1").arg(i), i);
        if (!same(o.FIO, n.FIO))
            add(JournalChange::NameChanged, j, n,
                QStringLiteral("Ф.И.О. %1 → %2").arg(quoted(o.FIO.text()), quoted(n.FIO.text())));
        if (!same(o.Shifr, n.Shifr))
            add(JournalChange::CodeChanged, j, n,
                QStringLiteral("шифр %1 → %2").arg(quoted(o.Shifr.text()), quoted(n.Shifr.text())));
        if (!same(o.Score, n.Score) || !same(o.Verdict, n.Verdict)) {
            const QString change = QStringLiteral("%1 → %2").arg(resultText(o), resultText(n));
            if (JournalDiff::isTestResult(n))
                add(JournalChange::TestResult, j, n, QStringLiteral("тест: ") + change);
            else if (isNewStudent(n))
                add(JournalChange::ResultChanged, j, n, QStringLiteral("результат теста снят: ") + change);
            else
                add(JournalChange::ResultChanged, j, n,
                    QStringLiteral("тест: %1, такого результата тест не записывает").arg(change));
        }
        QList<int> set, taken, odd;
        for (int k = 1; k <= Grading::Measurements; ++k) {
            if (same(o.done(k), n.done(k)))
                continue;
            if (StudentRecordText::measured(n, k))
                set << k;
            else if (StudentRecordText::measured(o, k))
                taken << k;
            else
                odd << k;
        }
        if (!set.isEmpty())
            add(JournalChange::Measured, j, n,
                (set.size() == 1 ? QStringLiteral("выполнено измерение %1") : QStringLiteral("выполнены измерения %1"))
                    .arg(numbers(set)));
        if (!taken.isEmpty())
            add(JournalChange::MarkTaken, j, n,
                (taken.size() == 1 ? QStringLiteral("снята отметка измерения %1")
                                   : QStringLiteral("сняты отметки измерений %1"))
                    .arg(numbers(taken)));
        for (int k : odd)
            add(JournalChange::OddValue, j, n,
                QStringLiteral("отметка измерения %1: %2 → %3, такой стенд не ставит")
                    .arg(k)
                    .arg(quoted(o.done(k).text()), quoted(n.done(k).text())));
        if (!same(o.WorkMark, n.WorkMark)) {
            if (StudentRecordText::workDone(n) && StudentRecordText::allMeasured(n))
                add(JournalChange::WorkMarked, j, n, QStringLiteral("работа выполнена"));
            else if (StudentRecordText::workDone(o))
                add(JournalChange::WorkMarkTaken, j, n,
                    QStringLiteral("снята отметка «выполнена»: теперь %1").arg(quoted(n.WorkMark.text())));
            else if (StudentRecordText::workDone(n))
                add(JournalChange::OddValue, j, n, QStringLiteral("отметка «выполнена» без всех шести измерений"));
            else
                add(JournalChange::OddValue, j, n,
                    QStringLiteral("отметка работы %1, такой стенд не ставит").arg(quoted(n.WorkMark.text())));
        }
        if (Changes.size() == before && std::memcmp(&o, &n, sizeof o) != 0)
            add(JournalChange::HiddenBytes, j, n,
                QStringLiteral("изменены только байты за длиной значений, их никто не читает"));
    }

    void added(const StudentRecord& r, std::int64_t j, bool amongStored)
    {
        if (amongStored)
            add(JournalChange::Inserted, j, r, QStringLiteral("вставлена среди прежних записей: ") + stateText(r));
        else
            add(JournalChange::Added, j, r, QStringLiteral("новая запись: ") + stateText(r));
        const QStringList odd = JournalDiff::oddValues(r);
        if (!odd.isEmpty())
            add(JournalChange::OddValue, j, r,
                QStringLiteral("значения, каких стенд не записывает: ") + odd.join(QStringLiteral("; ")));
    }

    const JournalContent& Before;
    const JournalContent& After;
    std::vector<std::int64_t> OldMatch; // the later number of each earlier record, or -1
    std::vector<std::int64_t> NewMatch; // the earlier number of each later record, or -1
    std::vector<JournalChange> Changes;
};

} // namespace

std::vector<JournalChange> JournalDiff::compare(const JournalContent& before, const JournalContent& after)
{
    return Comparison(before, after).run();
}

bool JournalDiff::anyForeign(const std::vector<JournalChange>& changes)
{
    return std::any_of(changes.begin(), changes.end(), [](const JournalChange& c) { return c.foreign(); });
}

bool JournalDiff::isTestResult(const StudentRecord& r)
{
    // The count of right answers as the test writes it: in decimal, with
    // no leading zero, no higher than the test's questions.
    const QByteArray score = r.Score.bytes();
    if (r.Score.Length != score.size())
        return false;
    int value = -1;
    for (int n = 0; n <= Grading::Questions && value < 0; ++n)
        if (score == QByteArray::number(n))
            value = n;
    if (value < 0)
        return false;
    switch (r.verdictKind()) {
    case StudentRecord::Passed: return true;
    case StudentRecord::Failed: return !Grading::passes(value);
    default: return false;
    }
}

QStringList JournalDiff::oddValues(const StudentRecord& r)
{
    QStringList odd;
    if (!isTestResult(r) && !isNewStudent(r))
        odd << QStringLiteral("тест: ") + resultText(r);
    for (int k = 1; k <= Grading::Measurements; ++k)
        if (StudentRecordText::oddFlag(r, k))
            odd << QStringLiteral("отметка измерения %1 %2").arg(k).arg(quoted(r.done(k).text()));
    if (StudentRecordText::workDone(r)) {
        if (!StudentRecordText::allMeasured(r))
            odd << QStringLiteral("отметка «выполнена» без всех шести измерений");
    } else if (r.WorkMark.Length != 0) {
        odd << QStringLiteral("отметка работы %1").arg(quoted(r.WorkMark.text()));
    }
    return odd;
}

QString JournalDiff::account(const std::vector<JournalChange>& changes)
{
    if (changes.empty())
        return QStringLiteral("без изменений");
    int counts[JournalChange::OddValue + 1] = {};
    QStringList foreign;
    for (const JournalChange& c : changes) {
        ++counts[c.What];
        if (c.foreign())
            foreign << c.brief();
    }
    QStringList parts;
    const std::pair<JournalChange::Kind, const char16_t*> bench[] = {
        { JournalChange::Added, u"добавлено %1" },
        { JournalChange::TestResult, u"тест %1" },
        { JournalChange::Measured, u"измерений %1" },
        { JournalChange::WorkMarked, u"выполнено работ %1" },
        { JournalChange::PartialTail, u"неполная запись в конце" },
        { JournalChange::HiddenBytes, u"байты за значениями %1" },
    };
    for (const auto& [kind, text] : bench) {
        const QString words = QString::fromUtf16(text);
        if (counts[kind] > 0)
            parts << (words.contains(QLatin1String("%1")) ? words.arg(counts[kind]) : words);
    }
    QString out = parts.join(QStringLiteral(", "));
    if (!foreign.isEmpty()) {
        QStringList named = foreign.mid(0, NamedInAccount);
        if (foreign.size() > NamedInAccount)
            named << QStringLiteral("и ещё %1").arg(foreign.size() - NamedInAccount);
        if (!out.isEmpty())
            out += QStringLiteral("; ");
        out += QStringLiteral("⚠ не со стенда: ") + named.join(QStringLiteral("; "));
    }
    return out;
}
