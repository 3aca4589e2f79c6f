#pragma once

#include <QByteArray>
#include <QStringList>
#include <QStringView>

// The fuzz targets by name: "journal", "bank", "aiken", "moodle", "gift"
// and "rtf", each the run of one input through its reader (JournalInput,
// BankInput, AikenInput, QuestionSourceInput for Moodle XML and GIFT,
// RtfInput). The libFuzzer programs and the replay of kept inputs in the
// suite pick their target here.
class FuzzTargets
{
public:
    using Run = void (*)(const QByteArray& data);

    // The names, in the order above.
    static QStringList names();
    // The run of the named target; nullptr for a name that is none.
    static Run find(QStringView name);
};
