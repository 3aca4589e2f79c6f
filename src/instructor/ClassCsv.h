#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>

class JournalModel;

// The class table as a CSV file for a spreadsheet or a learning system:
// UTF-8 with a byte-order mark (so a spreadsheet reads the Cyrillic
// right), a header line, one line per row given, in the order given, lines
// ended by CR LF. Fields holding the separator, a quote or a line break are
// quoted. A text that a spreadsheet would take for a formula (beginning
// with "=", "+", "-" or "@", and not a plain number) is written with an
// apostrophe before it: a name typed on the bench must not run as a formula
// on the instructor's computer.
class ClassCsv
{
public:
    static QByteArray write(const JournalModel& model, const QList<int>& rows, QChar separator);
};
