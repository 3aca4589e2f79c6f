#pragma once

#include <QDate>
#include <QRect>
#include <QString>

class QPicture;
class QPrinter;
class QWidget;

// "Печать экрана": the bench page on one printed page, scaled to fit it.
// At the top the work's title, the student's name and code and the date;
// below, the bench as the student left it: the switches, sliders and
// meters over the diagram, and beside them the column of component values,
// results and parameter boxes. The controls are drawn as they draw
// themselves, so texts stay texts in a PDF.
class BenchPrint
{
public:
    struct Sheet
    {
        QString Name;
        QString Code;
        QDate Date;
        // The bench group of the outlook bar, drawn whole even while the
        // instructions are on show.
        QWidget* Bench = nullptr;
        // The bench page and the part of it with the results and boxes.
        QWidget* Page = nullptr;
        QRect Results;
    };

    // Prints the sheet. A printer that cannot be started or a print that
    // fails throws the text the student is shown.
    static void print(QPrinter& printer, const Sheet& sheet);

    // The sheet as drawing commands, in the window's pixels from its
    // top-left corner, and the size it takes.
    static QPicture compose(const Sheet& sheet);
    static QSize size(const Sheet& sheet);
};
