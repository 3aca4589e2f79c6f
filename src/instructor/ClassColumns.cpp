#include "instructor/ClassColumns.h"

#include "journal/StudentRecordText.h"

#include <QList>

namespace {

const QString CheckMark = QStringLiteral("\u2713");
const QString Warning = QStringLiteral("\u26A0");

struct Entry
{
    QString Title;
    QString CsvTitle;
    QString TableWidest;  // the window shows the findings' mark before a number
    QString ReportWidest; // empty: the rest of the page
    Qt::Alignment Align;
};

const QList<Entry>& entries()
{
    static const QList<Entry> list = [] {
        const QString highest = QString::number(Grading::Questions);
        QList<Entry> e {
            { QStringLiteral("№"), QStringLiteral("№"), Warning + QStringLiteral(" 00000"), QStringLiteral("000000"),
              Qt::AlignRight },
            { QStringLiteral("Ф.И.О."), QStringLiteral("Ф.И.О."), QStringLiteral("Преображенская К.К."), QString(),
              Qt::AlignLeft },
            { QStringLiteral("Шифр"), QStringLiteral("Шифр"), QStringLiteral("000000"), QStringLiteral("000000"),
              Qt::AlignLeft },
            { QStringLiteral("Баллы"), QStringLiteral("Баллы"), highest, highest, Qt::AlignRight },
            { QStringLiteral("Тест"), QStringLiteral("Тест"), QStringLiteral("незачёт"), QStringLiteral("незачёт"),
              Qt::AlignLeft },
        };
        for (int k = 1; k <= Grading::Measurements; ++k)
            e << Entry { StudentRecordText::measurementSymbol(k), StudentRecordText::measurementName(k), CheckMark,
                         CheckMark, Qt::AlignHCenter };
        e << Entry { QStringLiteral("Работа"), QStringLiteral("Работа"), QStringLiteral("выполнена"),
                     QStringLiteral("выполнена"), Qt::AlignLeft };
        return e;
    }();
    return list;
}

} // namespace

QString ClassColumns::title(int column, Medium medium)
{
    const Entry& e = entries()[column];
    return medium == Csv ? e.CsvTitle : e.Title;
}

QString ClassColumns::widest(int column, Medium medium)
{
    const Entry& e = entries()[column];
    return medium == Report ? e.ReportWidest : e.TableWidest;
}

Qt::Alignment ClassColumns::alignment(int column)
{
    return entries()[column].Align;
}

QString ClassColumns::cell(int column, const StudentRecord& r, int row, Medium medium, bool findings)
{
    switch (column) {
    case Number: return medium == Table && findings ? Warning + QStringLiteral(" %1").arg(row) : QString::number(row);
    case Name: return StudentRecordText::name(r);
    case Code: return StudentRecordText::code(r);
    case Score: return StudentRecordText::score(r);
    case Test: return StudentRecordText::verdict(r);
    case Work: return StudentRecordText::work(r);
    default: break;
    }
    const int k = measurement(column);
    if (StudentRecordText::measured(r, k))
        return medium == Csv ? QStringLiteral("да") : CheckMark;
    const QString odd = StudentRecordText::oddFlagText(r, k);
    return odd.isEmpty() && medium == Csv ? QStringLiteral("нет") : odd;
}
