#include "instructor/SummaryPanel.h"

#include "instructor/ClassCharts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

QList<QPair<QString, int>> SummaryPanel::countLines(const ClassSummary& s)
{
    return {
        { QStringLiteral("Зарегистрировались"), s.Registered },
        { QStringLiteral("Прошли тест"), s.Tested },
        { QStringLiteral("   из них зачёт"), s.Passed },
        { QStringLiteral("   из них незачёт"), s.Failed },
        { QStringLiteral("Не сдавали тест"), s.NotTested },
        { QStringLiteral("Работа выполнена"), s.WorkDone },
    };
}

SummaryPanel::SummaryPanel(QWidget* parent)
    : QWidget(parent)
    , Scores(ClassCharts::scores(FSummary))
    , Measurements(ClassCharts::measurements(FSummary))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* box = new QGroupBox(QStringLiteral("Итоги"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    const auto lines = countLines(FSummary);
    for (int i = 0; i < lines.size(); ++i) {
        auto* caption = new QLabel(lines[i].first, box);
        auto* number = new QLabel(QString::number(lines[i].second), box);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont font = number->font();
        font.setBold(true);
        number->setFont(font);
        number->setObjectName(QStringLiteral("count%1").arg(i));
        grid->addWidget(caption, i, 0);
        grid->addWidget(number, i, 1);
        Counts << number;
    }
    grid->setColumnStretch(0, 1);
    layout->addWidget(box);

    for (QChart* chart : { Scores, Measurements }) {
        auto* view = new QChartView(chart, this);
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumHeight(220);
        layout->addWidget(view, 1);
    }
}

void SummaryPanel::setSummary(const ClassSummary& summary)
{
    if (summary == FSummary)
        return;
    FSummary = summary;
    const auto lines = countLines(FSummary);
    for (int i = 0; i < lines.size(); ++i)
        Counts[i]->setText(QString::number(lines[i].second));
    ClassCharts::updateScores(Scores, FSummary);
    ClassCharts::updateMeasurements(Measurements, FSummary);
}
