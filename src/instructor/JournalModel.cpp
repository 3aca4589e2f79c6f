#include "instructor/JournalModel.h"

#include "instructor/ClassColumns.h"
#include "journal/Grading.h"
#include "journal/StudentRecordText.h"
#include "instructor/NameOrder.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <cstring>

namespace {

using Text = StudentRecordText;
using enum ClassColumns::Column;

int verdictRank(const StudentRecord& r)
{
    switch (r.verdictKind()) {
    case StudentRecord::NotTested: return 0;
    case StudentRecord::Failed: return 1;
    case StudentRecord::Passed: return 2;
    case StudentRecord::UnknownVerdict: break;
    }
    return 3;
}

// A key of a text that may hold a number: numbers first, by value, then
// every other text by its bytes.
struct NumberKey
{
    bool IsNumber;
    std::int64_t Value;
};

template <int N>
int compareBytes(const ShortString<N>& a, const ShortString<N>& b)
{
    return NameOrder::compare(a.Chars, a.length(), b.Chars, b.length());
}

template <typename Key, typename Bytes>
bool lessByKey(const Key& a, const Key& b, const Bytes& bytesA, const Bytes& bytesB)
{
    if (a.IsNumber != b.IsNumber)
        return a.IsNumber;
    if (a.IsNumber)
        return a.Value < b.Value;
    return compareBytes(bytesA, bytesB) < 0;
}

NumberKey codeKey(const StudentRecord& r)
{
    std::int32_t value = 0;
    return r.code(value) ? NumberKey { true, value } : NumberKey { false, 0 };
}

NumberKey scoreKey(const StudentRecord& r)
{
    const int v = Text::scoreValue(r);
    return v >= 0 ? NumberKey { true, v } : NumberKey { false, 0 };
}

int flagRank(const StudentRecord& r, int k)
{
    if (Text::measured(r, k))
        return 1;
    return Text::oddFlag(r, k) ? 2 : 0;
}

} // namespace

JournalModel::JournalModel(QObject* parent)
    : QAbstractTableModel(parent)
    , Records(std::make_shared<JournalRecords>())
{
    Clock.start();
    Expiry.setInterval(250);
    connect(&Expiry, &QTimer::timeout, this, &JournalModel::expireHighlights);
}

int JournalModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Records->size());
}

int JournalModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count;
}

JournalModel::Highlight JournalModel::highlight(int row) const
{
    const auto m = Marks.constFind(row);
    return m == Marks.constEnd() ? NotHighlighted : m->Kind;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(Records->size()) || index.column() >= Count)
        return {};
    const int row = index.row();
    const int column = index.column();
    const StudentRecord& r = (*Records)[size_t(row)];
    const bool measurement = ClassColumns::isMeasurement(column);
    const int k = ClassColumns::measurement(column);

    switch (role) {
    case Qt::DisplayRole: return ClassColumns::cell(column, r, row, ClassColumns::Table, hasFindings(row));
    case Qt::TextAlignmentRole: return int(ClassColumns::alignment(column) | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (column == Test) {
            switch (r.verdictKind()) {
            case StudentRecord::Passed: return QBrush(QColor(0x1B, 0x6E, 0x20));
            case StudentRecord::Failed: return QBrush(QColor(0xB0, 0x1C, 0x1C));
            case StudentRecord::NotTested: return QBrush(QColor(0x6B, 0x6B, 0x6B));
            case StudentRecord::UnknownVerdict: return QBrush(QColor(0x9A, 0x5B, 0x00));
            }
        }
        if (measurement && Text::measured(r, k))
            return QBrush(QColor(0x1B, 0x6E, 0x20));
        return {};
    case Qt::BackgroundRole:
        switch (highlight(row)) {
        case Added: return QBrush(QColor(0xC8, 0xF0, 0xC8));
        case Changed: return QBrush(QColor(0xFF, 0xEC, 0x99));
        case NotHighlighted: break;
        }
        if (hasFindings(row))
            return QBrush(QColor(0xFC, 0xE4, 0xE0));
        return {};
    case Qt::ToolTipRole:
        if (column == Number)
            return hasFindings(row) ? findings(row).join(QLatin1Char('\n')) : QStringLiteral("Запись %1 журнала").arg(row);
        if (column == Test) {
            QString tip = Text::storedVerdict(r);
            const int score = Text::scoreValue(r);
            if (r.verdictKind() == StudentRecord::Passed && score >= 0 && score < Grading::PassMark)
                tip += QStringLiteral("\nБаллов меньше %1: стенд записывает незачёт, когда студент закроет "
                                      "сообщение о результате теста.")
                           .arg(Grading::PassMark);
            return tip;
        }
        if (measurement) {
            const QString odd = Text::oddFlagText(r, k);
            return Text::measurementName(k) + QStringLiteral(": ")
                + (Text::measured(r, k) ? QStringLiteral("выполнено")
                   : odd.isEmpty() ? QStringLiteral("не выполнено")
                                   : QStringLiteral("в журнале «%1»").arg(odd));
        }
        if (column == Name)
            return Text::name(r);
        return {};
    default:
        return {};
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= Count)
        return {};
    const bool measurement = ClassColumns::isMeasurement(section);
    if (role == Qt::DisplayRole)
        return ClassColumns::title(section, ClassColumns::Table);
    if (role == Qt::ToolTipRole) {
        if (section == Number)
            return QStringLiteral("Номер записи в журнале (как в «oplab-data journal list» и «journal check»)");
        if (section == Score)
            return QStringLiteral("Правильных ответов из %1 в последнем тесте").arg(Grading::Questions);
        if (measurement)
            return Text::measurementName(ClassColumns::measurement(section));
    }
    return {};
}

bool JournalModel::lessThan(int column, int rowA, int rowB) const
{
    const StudentRecord& a = (*Records)[size_t(rowA)];
    const StudentRecord& b = (*Records)[size_t(rowB)];
    switch (column) {
    case Number: return rowA < rowB;
    case Name: return compareBytes(a.FIO, b.FIO) < 0;
    case Code: return lessByKey(codeKey(a), codeKey(b), a.Shifr, b.Shifr);
    case Score: return lessByKey(scoreKey(a), scoreKey(b), a.Score, b.Score);
    case Test: {
        const int ra = verdictRank(a), rb = verdictRank(b);
        if (ra != rb)
            return ra < rb;
        return lessByKey(scoreKey(a), scoreKey(b), a.Score, b.Score);
    }
    case Work: return Text::workDone(a) < Text::workDone(b);
    default:
        if (ClassColumns::isMeasurement(column))
            return flagRank(a, ClassColumns::measurement(column)) < flagRank(b, ClassColumns::measurement(column));
        return rowA < rowB;
    }
}

void JournalModel::clear()
{
    beginResetModel();
    Records = std::make_shared<JournalRecords>();
    Findings.clear();
    Marks.clear();
    Expiry.stop();
    Loaded = false;
    ++Generation;
    endResetModel();
}

void JournalModel::markRow(int row, Highlight kind, qint64 now)
{
    Marks.insert(row, Mark { kind, now + HighlightMs });
    if (!Expiry.isActive())
        Expiry.start();
}

void JournalModel::expireHighlights()
{
    const qint64 now = Clock.elapsed();
    for (auto m = Marks.begin(); m != Marks.end();) {
        if (m->Until <= now) {
            const int row = m.key();
            m = Marks.erase(m);
            if (row < int(Records->size()))
                emit dataChanged(index(row, 0), index(row, Count - 1), { Qt::BackgroundRole });
        } else {
            ++m;
        }
    }
    if (Marks.isEmpty())
        Expiry.stop();
}

HeldRecords JournalModel::held() const
{
    return HeldRecords { Loaded ? Records : nullptr, Generation };
}

bool JournalModel::apply(JournalSnapshot&& snapshot)
{
    if (snapshot.State != JournalSnapshot::Read)
        return true;
    if (!snapshot.Whole && (!Loaded || snapshot.Generation != Generation))
        return false;
    ++Generation;
    if (snapshot.Whole) {
        beginResetModel();
        Records = std::make_shared<JournalRecords>(std::move(snapshot.Records));
        Findings = std::move(snapshot.RecordFindings);
        Marks.clear();
        Loaded = true;
        endResetModel();
        emit recordsChanged();
        return true;
    }
    // A reading still holding the records would see them change.
    if (Records.use_count() > 1)
        Records = std::make_shared<JournalRecords>(*Records);
    JournalRecords& records = *Records;

    const qint64 now = Clock.elapsed();
    const int held = int(records.size());
    const int count = snapshot.Count;
    bool changed = false;

    if (count < held) {
        // The journal was cut or replaced by a shorter one.
        beginRemoveRows(QModelIndex(), count, held - 1);
        records.resize(size_t(count));
        for (auto m = Marks.begin(); m != Marks.end();)
            m = m.key() >= count ? Marks.erase(m) : std::next(m);
        endRemoveRows();
        changed = true;
    }

    // Rows whose findings changed though their bytes did not (a duplicate
    // code depends on the records before it).
    const int common = std::min(held, count);
    QList<int> refound;
    if (Findings != snapshot.RecordFindings) {
        for (auto f = Findings.cbegin(); f != Findings.cend(); ++f)
            if (f.key() < common && snapshot.RecordFindings.value(f.key()) != f.value())
                refound << f.key();
        for (auto f = snapshot.RecordFindings.cbegin(); f != snapshot.RecordFindings.cend(); ++f)
            if (f.key() < common && !Findings.contains(f.key()))
                refound << f.key();
    }
    Findings = std::move(snapshot.RecordFindings);

    // The changed records, in record order: one dataChanged for each run
    // of neighbours.
    int runStart = -1;
    int runEnd = -1;
    auto endRun = [&] {
        if (runStart >= 0)
            emit dataChanged(index(runStart, 0), index(runEnd, Count - 1));
        runStart = -1;
    };
    for (const auto& [row, record] : snapshot.Changed) {
        if (row >= common)
            continue;
        records[size_t(row)] = record;
        markRow(row, Changed, now);
        if (runStart >= 0 && row != runEnd + 1)
            endRun();
        if (runStart < 0)
            runStart = row;
        runEnd = row;
        changed = true;
    }
    endRun();
    for (int row : refound) {
        emit dataChanged(index(row, 0), index(row, Count - 1));
        changed = true;
    }

    if (count > held) {
        beginInsertRows(QModelIndex(), held, count - 1);
        records.insert(records.end(), snapshot.Records.begin(), snapshot.Records.end());
        for (int i = held; i < count; ++i)
            markRow(i, Added, now);
        endInsertRows();
        changed = true;
    }
    if (changed)
        emit recordsChanged();
    return true;
}
