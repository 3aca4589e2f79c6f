#pragma once

#include "instructor/ClassSummary.h"

#include <QByteArray>
#include <QSortFilterProxyModel>

class JournalModel;

// The class table as shown: the rows of the journal model that match the
// search text (in the name or the code) and the chosen state, sorted by a
// column in the model's own order. Rows the journal adds or changes find
// their place in the sort and the filter as they come.
class JournalFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    enum State { AllStudents, NotTested, Passed, Failed, WorkDone, WithFindings };
    Q_ENUM(State)

    explicit JournalFilter(JournalModel& model, QObject* parent = nullptr);

    const QString& text() const { return FText; }
    void setText(const QString& text);
    State state() const { return FState; }
    void setState(State state);
    // The name of a state as the filter's list shows it.
    static QString stateName(State state);
    // The filter in words ("все студенты", or the state and the text); for
    // the report and the status line.
    QString description() const;

    bool accepts(int sourceRow) const;
    // The source rows shown, in the order shown.
    QList<int> shownRows() const;
    // The counts of the rows shown.
    ClassSummary summary() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    JournalModel& Model;
    QString FText;
    QByteArray Key;
    bool Matchable = true;
    State FState = AllStudents;
};
