#include "instructor/JournalFilter.h"

#include "instructor/JournalModel.h"
#include "instructor/NameOrder.h"
#include "journal/StudentRecordText.h"

JournalFilter::JournalFilter(JournalModel& model, QObject* parent)
    : QSortFilterProxyModel(parent)
    , Model(model)
{
    setSourceModel(&model);
    setDynamicSortFilter(true);
}

void JournalFilter::setText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == FText)
        return;
    FText = trimmed;
    Key = NameOrder::searchKey(FText, &Matchable);
    invalidateRowsFilter();
}

void JournalFilter::setState(State state)
{
    if (state == FState)
        return;
    FState = state;
    invalidateRowsFilter();
}

QString JournalFilter::stateName(State state)
{
    switch (state) {
    case AllStudents: return QStringLiteral("все студенты");
    case NotTested: return QStringLiteral("не сдавали тест");
    case Passed: return QStringLiteral("тест сдан (зачёт)");
    case Failed: return QStringLiteral("тест не сдан (незачёт)");
    case WorkDone: return QStringLiteral("работа выполнена");
    case WithFindings: return QStringLiteral("записи с замечаниями");
    }
    return {};
}

QString JournalFilter::description() const
{
    QString d = stateName(FState);
    if (!FText.isEmpty())
        d += QStringLiteral(", поиск «%1»").arg(FText);
    return d;
}

bool JournalFilter::accepts(int row) const
{
    const StudentRecord& r = Model.record(row);
    switch (FState) {
    case AllStudents: break;
    case NotTested:
        if (r.verdictKind() != StudentRecord::NotTested)
            return false;
        break;
    case Passed:
        if (r.verdictKind() != StudentRecord::Passed)
            return false;
        break;
    case Failed:
        if (r.verdictKind() != StudentRecord::Failed)
            return false;
        break;
    case WorkDone:
        if (!StudentRecordText::workDone(r))
            return false;
        break;
    case WithFindings:
        if (!Model.hasFindings(row))
            return false;
        break;
    }
    if (FText.isEmpty())
        return true;
    if (!Matchable)
        return false;
    return NameOrder::contains(r.FIO.Chars, r.FIO.length(), Key)
        || NameOrder::contains(r.Shifr.Chars, r.Shifr.length(), Key);
}

bool JournalFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    return !sourceParent.isValid() && accepts(sourceRow);
}

bool JournalFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return Model.lessThan(left.column(), left.row(), right.row());
}

QList<int> JournalFilter::shownRows() const
{
    QList<int> rows;
    const int n = rowCount();
    rows.reserve(n);
    for (int i = 0; i < n; ++i)
        rows << mapToSource(index(i, 0)).row();
    return rows;
}

ClassSummary JournalFilter::summary() const
{
    ClassSummary s;
    const int n = Model.rowCount();
    for (int row = 0; row < n; ++row)
        if (accepts(row))
            s.add(Model.record(row));
    return s;
}
