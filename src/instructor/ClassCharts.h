#pragma once

#include "instructor/ClassSummary.h"

class QChart;

// The two plots of a class, drawn by Qt Charts from its counts: the test
// scores 0 to 10 of the students who took the test, with the pass mark
// drawn, and how many students finished each of the six measurements. The
// window shows them and the printed report draws them again.
class ClassCharts
{
public:
    // New charts (the caller owns them), without animation.
    static QChart* scores(const ClassSummary& summary);
    static QChart* measurements(const ClassSummary& summary);

    // Gives a chart made by the functions above the counts of `summary`.
    static void updateScores(QChart* chart, const ClassSummary& summary);
    static void updateMeasurements(QChart* chart, const ClassSummary& summary);
};
