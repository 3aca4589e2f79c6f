#pragma once

#include <QStringList>
#include <QTextStream>

// What a sub-command of oplab-data gets: its arguments (after the group
// word, e.g. "list JOURNAL --csv") and the two output streams, UTF-8.
// Exit status: 0 done, 1 a finding (a check found faults, a code was not
// found), 2 an error (bad usage, a file that cannot be read or written).
struct CommandLine
{
    QStringList Args;
    QTextStream& Out;
    QTextStream& Err;

    // Prints "oplab-data: <text>" on standard error and returns 2.
    int fail(const QString& text) const;
};
