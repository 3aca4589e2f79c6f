#pragma once

#include "instructor/JournalSnapshot.h"
#include "journal/StudentRecord.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QHash>
#include <QTimer>

#include <memory>
#include <vector>

// The class table: one row per journal record, in the journal's order, as
// the last reading of the journal found them. A new reading is compared
// with the rows held, record by record, and only what differs is changed:
// rows added at the end are inserted, changed records raise dataChanged, so
// the views over the model keep their sort, filter, selection and scroll.
// Added and changed rows are highlighted for a few seconds. The columns
// are those of ClassColumns.
class JournalModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Highlight { NotHighlighted, Added, Changed };

    explicit JournalModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Takes a reading of the journal. A whole reading resets the model; a
    // reading compared with held() changes only the rows that differ. A
    // reading that failed leaves the rows as they are. False when the
    // reading was compared with rows no longer held (the journal was opened
    // anew meanwhile): it is dropped, and a new reading is wanted.
    bool apply(JournalSnapshot&& snapshot);
    // Forgets the rows: the next reading is a new journal.
    void clear();
    bool isLoaded() const { return Loaded; }
    // The records held, for the next reading to compare with; none before
    // the first reading.
    HeldRecords held() const;

    const StudentRecord& record(int row) const { return (*Records)[size_t(row)]; }
    QStringList findings(int row) const { return Findings.value(row); }
    bool hasFindings(int row) const { return Findings.contains(row); }
    Highlight highlight(int row) const;

    // How long added and changed rows stay highlighted.
    int highlightMs() const { return HighlightMs; }
    void setHighlightMs(int milliseconds) { HighlightMs = milliseconds; }

    // The order of the sort by a column, on the stored bytes: numbers by
    // value where the column is numeric, names as the instructor expects.
    bool lessThan(int column, int rowA, int rowB) const;

signals:
    // A reading changed, added or removed rows (or was the first).
    void recordsChanged();

private:
    void markRow(int row, Highlight kind, qint64 now);
    void expireHighlights();

    // Shared with a reading that compares the journal with them; changed in
    // place only while no reading holds them.
    std::shared_ptr<JournalRecords> Records;
    QHash<int, QStringList> Findings;
    bool Loaded = false;
    quint64 Generation = 0;

    struct Mark
    {
        Highlight Kind;
        qint64 Until;
    };
    QHash<int, Mark> Marks;
    QElapsedTimer Clock;
    QTimer Expiry;
    int HighlightMs = 5000;
};
