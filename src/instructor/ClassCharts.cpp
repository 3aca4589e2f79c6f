#include "instructor/ClassCharts.h"

#include "journal/Grading.h"
#include "journal/StudentRecordText.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QBarSeries>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace {

const QColor FailColour(0xD0, 0x55, 0x4B);
const QColor PassColour(0x4C, 0x9A, 0x52);
const QColor MeasureColour(0x3D, 0x73, 0xB8);
const QColor PassMarkColour(0x30, 0x30, 0x30);

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// A count axis with whole-number ticks, reaching above `top` so the
// highest bar stands clear of the frame.
void setCountRange(QValueAxis* axis, int top)
{
    int max = std::max(top, 1);
    int step = 1;
    while (max / step > 6)
        step = step == 1 ? 2 : step == 2 ? 5 : step * 2;
    max = (max / step + 1) * step;
    axis->setRange(0, max);
    axis->setTickCount(max / step + 1);
    axis->setLabelFormat(QStringLiteral("%d"));
}

template <typename T>
T* first(QChart* chart)
{
    for (QAbstractSeries* s : chart->series())
        if (auto* t = qobject_cast<T*>(s))
            return t;
    return nullptr;
}

QValueAxis* countAxis(QChart* chart, Qt::Orientation orientation = Qt::Vertical)
{
    for (QAbstractAxis* a : chart->axes(orientation))
        if (auto* v = qobject_cast<QValueAxis*>(a))
            return v;
    return nullptr;
}

} // namespace

QChart* ClassCharts::scores(const ClassSummary& summary)
{
    QChart* chart = newChart(QStringLiteral("Баллы теста"));

    auto* below = new QBarSet(QStringLiteral("незачёт"));
    auto* above = new QBarSet(QStringLiteral("зачёт"));
    below->setColor(FailColour);
    below->setBorderColor(FailColour);
    above->setColor(PassColour);
    above->setBorderColor(PassColour);
    for (int s = 0; s <= Grading::Questions; ++s) {
        *below << 0;
        *above << 0;
    }
    auto* bars = new QStackedBarSeries;
    bars->append(below);
    bars->append(above);
    bars->setBarWidth(0.8);
    chart->addSeries(bars);

    // The pass mark: a line between the last failing and the first passing
    // score, drawn over the bars on an axis of the same width.
    auto* mark = new QLineSeries;
    mark->setName(QStringLiteral("проходной балл %1").arg(Grading::PassMark));
    QPen pen(PassMarkColour);
    pen.setWidthF(2);
    pen.setStyle(Qt::DashLine);
    mark->setPen(pen);
    chart->addSeries(mark);

    auto* categories = new QBarCategoryAxis;
    for (int s = 0; s <= Grading::Questions; ++s)
        categories->append(QString::number(s));
    categories->setTitleText(QStringLiteral("правильных ответов"));
    // Eleven scores side by side: a size smaller, so "10" fits a narrow plot.
    QFont small = categories->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    categories->setLabelsFont(small);
    chart->addAxis(categories, Qt::AlignBottom);
    bars->attachAxis(categories);

    auto* place = new QValueAxis;
    place->setRange(-0.5, Grading::Questions + 0.5);
    place->setVisible(false);
    chart->addAxis(place, Qt::AlignBottom);
    mark->attachAxis(place);

    auto* count = new QValueAxis;
    count->setTitleText(QStringLiteral("студентов"));
    chart->addAxis(count, Qt::AlignLeft);
    bars->attachAxis(count);
    mark->attachAxis(count);

    updateScores(chart, summary);
    return chart;
}

void ClassCharts::updateScores(QChart* chart, const ClassSummary& summary)
{
    auto* bars = first<QStackedBarSeries>(chart);
    auto* mark = first<QLineSeries>(chart);
    int top = 0;
    for (int s = 0; s <= Grading::Questions; ++s) {
        const int n = summary.Scores[size_t(s)];
        const bool pass = s >= Grading::PassMark;
        bars->barSets()[0]->replace(s, pass ? 0 : n);
        bars->barSets()[1]->replace(s, pass ? n : 0);
        top = std::max(top, n);
    }
    QValueAxis* count = countAxis(chart);
    setCountRange(count, top);
    const double x = Grading::PassMark - 0.5;
    mark->replace(QList<QPointF> { QPointF(x, 0), QPointF(x, count->max()) });
}

QChart* ClassCharts::measurements(const ClassSummary& summary)
{
    QChart* chart = newChart(QStringLiteral("Выполненные измерения"));
    auto* set = new QBarSet(QStringLiteral("студентов выполнили"));
    set->setColor(MeasureColour);
    set->setBorderColor(MeasureColour);
    set->setLabelColor(Qt::white);
    for (int k = 1; k <= Grading::Measurements; ++k)
        *set << 0;
    auto* bars = new QHorizontalBarSeries;
    bars->append(set);
    bars->setBarWidth(0.7);
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    chart->addSeries(bars);

    // The first measurement on top: the category axis runs upwards.
    auto* categories = new QBarCategoryAxis;
    for (int k = Grading::Measurements; k >= 1; --k)
        categories->append(StudentRecordText::measurementSymbol(k));
    chart->addAxis(categories, Qt::AlignLeft);
    bars->attachAxis(categories);
    auto* count = new QValueAxis;
    count->setTitleText(QStringLiteral("студентов"));
    chart->addAxis(count, Qt::AlignBottom);
    bars->attachAxis(count);
    chart->legend()->setVisible(false);

    updateMeasurements(chart, summary);
    return chart;
}

void ClassCharts::updateMeasurements(QChart* chart, const ClassSummary& summary)
{
    auto* bars = first<QHorizontalBarSeries>(chart);
    int top = 0;
    for (int k = 1; k <= Grading::Measurements; ++k) {
        const int n = summary.Measured[size_t(k - 1)];
        bars->barSets()[0]->replace(Grading::Measurements - k, n);
        top = std::max(top, n);
    }
    // Out of those who passed the test: only they reach the bench.
    setCountRange(countAxis(chart, Qt::Horizontal), std::max(top, summary.Passed));
}
