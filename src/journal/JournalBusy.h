#pragma once

#include "platform/Exception.h"

#include <QDateTime>
#include <QString>

// The journal's lock was not had in time, or was lost before a write:
// nothing has been written, and the student presses again. The text is
// "Журнал занят другой программой. Повторите попытку.", followed, when
// the holder is known from its lock file, by a line that names it (its
// computer, since when) and says when its lock will be broken.
class JournalBusy : public Exception
{
public:
    // What is known of the holder, for the second line.
    struct Holder
    {
        bool Known = false;
        bool ThisComputer = false; // a program of this computer that runs
        QString Host;
        long long Pid = -1;
        QDateTime Since;   // when it took the lock
        QDateTime BreakAt; // when it will be broken, by this computer's clock
    };

    JournalBusy();
    explicit JournalBusy(const Holder& holder);

    // The first line, always the same.
    static QString busyText();
    static QString holderText(const Holder& holder);
};
