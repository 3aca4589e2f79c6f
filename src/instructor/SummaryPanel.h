#pragma once

#include "instructor/ClassSummary.h"

#include <QWidget>

class QChart;
class QChartView;
class QLabel;

// The side panel of the window: the counts of the class (the rows shown)
// and its two plots. Given new counts it changes only what differs.
class SummaryPanel : public QWidget
{
    Q_OBJECT

public:
    explicit SummaryPanel(QWidget* parent = nullptr);

    const ClassSummary& summary() const { return FSummary; }
    void setSummary(const ClassSummary& summary);

    // The lines of counts: a caption and its number, as the panel shows them.
    static QList<QPair<QString, int>> countLines(const ClassSummary& summary);

private:
    ClassSummary FSummary;
    QList<QLabel*> Counts;
    QChart* Scores;
    QChart* Measurements;
};
