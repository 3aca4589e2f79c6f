#pragma once

#include "instructor/ClassSummary.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class JournalModel;
class QPagedPaintDevice;

// The printed class report: a head with the lab folder, the journal and the
// date and time; the counts and both plots of the rows shown; the journal's
// findings when it has any; and the class table of the rows shown, in
// their order, over as many pages as it needs, its head repeated on each
// page and the pages numbered. Printed on a printer or a PDF file alike.
struct ClassReport
{
    const JournalModel* Model = nullptr;
    QList<int> Rows;
    ClassSummary Summary;
    QString JournalPath;
    int JournalRecords = 0;
    QString Filter; // what rows are shown, in words
    QDateTime ReadAt;
    QDateTime PrintedAt;
    QStringList Findings;

    // Pages the report takes on the device.
    int pageCount(QPagedPaintDevice& device) const;
    // False when the device cannot be painted on (a file not writable).
    bool print(QPagedPaintDevice& device) const;

    // "12 мая 2025, 14:03"
    static QString dateTimeText(const QDateTime& when);
};
