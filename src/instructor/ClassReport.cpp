#include "instructor/ClassReport.h"

#include "instructor/ClassCharts.h"
#include "instructor/ClassColumns.h"
#include "instructor/JournalModel.h"
#include "instructor/SummaryPanel.h"

#include <QFileInfo>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include <algorithm>

namespace {

// Findings listed in the report; the rest are counted.
constexpr int ListedFindings = 12;

QStringList cells(const JournalModel& model, int row)
{
    QStringList c;
    for (int column = 0; column < ClassColumns::Count; ++column)
        c << ClassColumns::cell(column, model.record(row), row, ClassColumns::Report);
    return c;
}

// The measures of a page, in device pixels.
struct Page
{
    double Width;
    double Height;
    double Dpi;
    double Row;      // height of a table line
    double Footer;   // height kept for the page number
    double mm(double v) const { return v * Dpi / 25.4; }
};

QFont font(double points, bool bold = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

Page measure(QPagedPaintDevice& device)
{
    Page p {};
    p.Width = device.width();
    p.Height = device.height();
    p.Dpi = device.logicalDpiY();
    p.Row = QFontMetricsF(font(9), &device).height() * 1.45;
    p.Footer = p.mm(8);
    return p;
}

// Draws the chart and deletes it (its view owns it).
void drawChart(QPainter& painter, QChart* chart, const QRectF& target)
{
    // The chart is laid out at a screen size and painted scaled, as vector
    // drawing, into the place on the page, on the paper's white.
    const QSize size(480, 300);
    chart->setBackgroundVisible(false);
    chart->setDropShadowEnabled(false);
    QChartView view(chart);
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    view.setBackgroundBrush(Qt::white);
    QPalette white = view.palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    view.setPalette(white);
    view.resize(size);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    static_cast<QWidget&>(view).render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
}

} // namespace

QString ClassReport::dateTimeText(const QDateTime& when)
{
    return QLocale(QLocale::Russian).toString(when, QStringLiteral("d MMMM yyyy, HH:mm"));
}

namespace {

// Lays the report out, drawing when a painter is given; returns the pages.
int layOut(const ClassReport& report, QPagedPaintDevice& device, QPainter* painter, int totalPages)
{
    const Page page = measure(device);
    int pages = 1;
    double y = 0;

    auto footer = [&] {
        if (!painter)
            return;
        painter->setFont(font(8));
        painter->setPen(Qt::darkGray);
        const QRectF line(0, page.Height - page.Footer * 0.7, page.Width, page.Footer * 0.7);
        painter->drawText(line, Qt::AlignLeft | Qt::AlignBottom,
                          QStringLiteral("oplab-journal, %1").arg(ClassReport::dateTimeText(report.PrintedAt)));
        painter->drawText(line, Qt::AlignRight | Qt::AlignBottom,
                          QStringLiteral("стр. %1 из %2").arg(pages).arg(totalPages));
        painter->setPen(Qt::black);
    };
    auto nextPage = [&] {
        if (painter) {
            footer();
            device.newPage();
        }
        ++pages;
        y = 0;
    };

    auto text = [&](const QString& line, const QFont& f, double gapAfter = 0) {
        const QFontMetricsF m(f, &device);
        if (painter) {
            painter->setFont(f);
            painter->drawText(QRectF(0, y, page.Width, m.height()), Qt::AlignLeft | Qt::AlignVCenter,
                              m.elidedText(line, Qt::ElideMiddle, page.Width));
        }
        y += m.height() + gapAfter;
    };

    // The head.
    const QFileInfo journal(report.JournalPath);
    text(QStringLiteral("Журнал лабораторной работы «Операционный усилитель»"), font(15, true), page.mm(2));
    text(QStringLiteral("Папка лаборатории: %1").arg(journal.absolutePath()), font(10));
    text(QStringLiteral("Журнал: %1, записей: %2, прочитан %3")
             .arg(journal.fileName())
             .arg(report.JournalRecords)
             .arg(ClassReport::dateTimeText(report.ReadAt)),
         font(10));
    text(QStringLiteral("Показаны: %1; строк: %2").arg(report.Filter).arg(report.Rows.size()), font(10));
    text(QStringLiteral("Отчёт составлен: %1").arg(ClassReport::dateTimeText(report.PrintedAt)), font(10),
         page.mm(4));

    // The counts, the shares of the tested indented.
    text(QStringLiteral("Итоги"), font(12, true), page.mm(1));
    const QFont countFont = font(10);
    const double countLine = QFontMetricsF(countFont, &device).height() * 1.2;
    for (const auto& [caption, count] : SummaryPanel::countLines(report.Summary)) {
        const double indent = caption.startsWith(QLatin1Char(' ')) ? page.mm(5) : 0;
        if (painter) {
            painter->setFont(countFont);
            painter->drawText(QRectF(indent, y, page.mm(60), countLine), Qt::AlignLeft | Qt::AlignVCenter,
                              caption.trimmed());
            painter->setFont(font(10, true));
            painter->drawText(QRectF(page.mm(60), y, page.mm(15), countLine), Qt::AlignRight | Qt::AlignVCenter,
                              QString::number(count));
        }
        y += countLine;
    }
    y += page.mm(3);

    // Both plots side by side.
    const double chartHeight = page.mm(62);
    if (painter) {
        const double w = (page.Width - page.mm(4)) / 2;
        drawChart(*painter, ClassCharts::scores(report.Summary), QRectF(0, y, w, chartHeight));
        drawChart(*painter, ClassCharts::measurements(report.Summary), QRectF(w + page.mm(4), y, w, chartHeight));
    }
    y += chartHeight + page.mm(3);

    // The journal's findings.
    if (!report.Findings.isEmpty()) {
        text(QStringLiteral("Замечания к журналу (%1), как их называет «oplab-data journal check»:")
                 .arg(report.Findings.size()),
             font(10, true));
        for (int i = 0; i < std::min<int>(int(report.Findings.size()), ListedFindings); ++i)
            text(QStringLiteral("• ") + report.Findings[i], font(9));
        if (report.Findings.size() > ListedFindings)
            text(QStringLiteral("… и ещё %1").arg(report.Findings.size() - ListedFindings), font(9));
        y += page.mm(3);
    }

    // The table, its head on every page; each column as wide as its
    // longest value or its head, the names as wide as the rest.
    const QFont cellFont = font(9);
    const QFont headFont = font(9, true);
    const double pad = page.mm(1);
    QList<double> widths;
    double fixed = 0;
    for (int c = 0; c < ClassColumns::Count; ++c) {
        const QString widest = ClassColumns::widest(c, ClassColumns::Report);
        const double w = std::max(QFontMetricsF(cellFont, &device).horizontalAdvance(widest),
                                  QFontMetricsF(headFont, &device).horizontalAdvance(
                                      ClassColumns::title(c, ClassColumns::Report)))
            + 2 * pad;
        widths << w;
        fixed += widest.isEmpty() ? 0 : w;
    }
    // A column with no widest value (the names) takes the rest of the page.
    for (int c = 0; c < ClassColumns::Count; ++c)
        if (ClassColumns::widest(c, ClassColumns::Report).isEmpty())
            widths[c] = std::max(page.Width - fixed, page.mm(30));
    auto drawRow = [&](const QStringList& values, const QFont& f, bool head, bool shade) {
        if (painter) {
            if (shade)
                painter->fillRect(QRectF(0, y, page.Width, page.Row), QColor(0xF0, 0xF0, 0xF0));
            painter->setFont(f);
            const QFontMetricsF m(f, &device);
            double x = 0;
            for (int c = 0; c < ClassColumns::Count; ++c) {
                const double w = widths[c];
                const QRectF cell(x + pad, y, w - 2 * pad, page.Row);
                painter->drawText(cell, int(ClassColumns::alignment(c) | Qt::AlignVCenter),
                                  m.elidedText(values[c], Qt::ElideRight, cell.width()));
                x += w;
            }
            if (head) {
                painter->setPen(QPen(Qt::black, page.mm(0.3)));
                painter->drawLine(QPointF(0, y + page.Row), QPointF(page.Width, y + page.Row));
            }
        }
        y += page.Row;
    };
    QStringList head;
    for (int c = 0; c < ClassColumns::Count; ++c)
        head << ClassColumns::title(c, ClassColumns::Report);
    const double bottom = page.Height - page.Footer;
    if (y + 2 * page.Row > bottom)
        nextPage();
    drawRow(head, headFont, true, false);
    for (int i = 0; i < report.Rows.size(); ++i) {
        if (y + page.Row > bottom) {
            nextPage();
            drawRow(head, headFont, true, false);
        }
        drawRow(cells(*report.Model, report.Rows[i]), cellFont, false, i % 2 == 1);
    }
    footer();
    return pages;
}

} // namespace

int ClassReport::pageCount(QPagedPaintDevice& device) const
{
    return layOut(*this, device, nullptr, 0);
}

bool ClassReport::print(QPagedPaintDevice& device) const
{
    // A first pass counts the pages, so each page can say "of N".
    const int pages = pageCount(device);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    layOut(*this, device, &painter, pages);
    return painter.end();
}
