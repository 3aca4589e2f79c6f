#include "app/BenchPrint.h"

#include "platform/Exception.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QWidget>

namespace {

// The heading's lines and the gaps, in the window's pixels.
constexpr int TitleHeight = 24;
constexpr int LineHeight = 18;
constexpr int Gap = 10;

int headingHeight()
{
    return TitleHeight + LineHeight + Gap;
}

} // namespace

QSize BenchPrint::size(const Sheet& sheet)
{
    const int width = sheet.Bench->width() + Gap + sheet.Results.width();
    const int height = headingHeight() + std::max(sheet.Bench->height(), sheet.Results.height());
    return {width, height};
}

QPicture BenchPrint::compose(const Sheet& sheet)
{
    // The sheet is recorded as drawing commands in the window's pixels:
    // played onto a page they stay lines and texts (a widget drawn
    // straight onto a printer comes out as one picture, without its texts).
    const QSize whole = size(sheet);
    QPicture picture;
    QPainter painter(&picture);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(16);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, whole.width(), TitleHeight), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Лабораторная работа «Измерение параметров операционного усилителя»"));
    font.setPixelSize(13);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, TitleHeight, whole.width(), LineHeight), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Студент: %1     Шифр: %2     Дата: %3")
                         .arg(sheet.Name, sheet.Code, sheet.Date.toString(QStringLiteral("dd.MM.yyyy"))));

    const int top = headingHeight();
    sheet.Bench->render(&painter, QPoint(0, top), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    sheet.Page->render(&painter, QPoint(sheet.Bench->width() + Gap, top), QRegion(sheet.Results),
                       QWidget::DrawChildren);
    painter.setPen(Qt::gray);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, top, sheet.Bench->width(), sheet.Bench->height()).adjusted(0, 0, -1, -1));
    painter.end();
    return picture;
}

void BenchPrint::print(QPrinter& printer, const Sheet& sheet)
{
    const QPicture picture = compose(sheet);
    const QString file = printer.outputFileName();
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!file.isEmpty())
            throw Exception(QStringLiteral("Не удалось напечатать: файл %1 нельзя записать.")
                                .arg(QDir::toNativeSeparators(file)));
        throw Exception(QStringLiteral("Не удалось напечатать: принтер «%1» недоступен.").arg(printer.printerName()));
    }
    // The sheet scaled to the page's printable area, kept in proportion
    // and set at its top left. A picture played on a device scales itself
    // by the two resolutions already.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QSize whole = size(sheet);
    const qreal fit = std::min(page.width() / whole.width(), page.height() / whole.height());
    const qreal played = qreal(printer.logicalDpiX()) / picture.logicalDpiX();
    painter.scale(fit / played, fit / played);
    painter.drawPicture(0, 0, picture);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw Exception(QStringLiteral("Не удалось напечатать: печать прервана."));
}
