#pragma once

#include "journal/Grading.h"
#include "journal/StudentRecord.h"

#include <QString>
#include <Qt>

// The columns of the class table: for each its head, its widest value, its
// alignment and the text of a record in it. The window's table and the
// widths of its columns, the CSV file and the printed report all read them
// here, so they show one table.
class ClassColumns
{
public:
    enum Column {
        Number,
        Name,
        Code,
        Score,
        Test,
        FirstMeasurement, // the measurements, Done1 to Done6
        Work = FirstMeasurement + Grading::Measurements,
        Count
    };

    // Where a column is shown: the window's table, the printed report, a
    // CSV file.
    enum Medium { Table, Report, Csv };

    // The column's head: a measurement's symbol, in a CSV file its whole
    // name.
    static QString title(int column, Medium medium);
    // The widest value the column shows, for its width. On paper the names
    // have none: they take the rest of the page.
    static QString widest(int column, Medium medium);
    // How its values stand in their cells, across.
    static Qt::Alignment alignment(int column);
    // The text of record `r`, number `row` of the journal. The table marks
    // the number of a record with findings; a measurement done shows a
    // check mark, in a CSV file "да" and "нет"; an odd flag shows as it is.
    static QString cell(int column, const StudentRecord& r, int row, Medium medium, bool findings = false);

    static bool isMeasurement(int column) { return column >= FirstMeasurement && column < Work; }
    // The measurement of a column, 1 to Grading::Measurements.
    static int measurement(int column) { return column - FirstMeasurement + 1; }
};
