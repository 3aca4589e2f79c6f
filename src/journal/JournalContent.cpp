#include "journal/JournalContent.h"

#include "journal/Journal.h"
#include "journal/JournalLock.h"

#include <cstring>

JournalContent JournalContent::read(const QString& path, int lockTimeoutMs)
{
    Journal journal(path);
    journal.setLockTimeout(lockTimeoutMs);
    journal.openForReading();
    JournalLock lock(journal, JournalLock::Shared);
    JournalContent content(journal.file().readAll());
    lock.release();
    journal.close();
    return content;
}

StudentRecord JournalContent::record(std::int64_t i) const
{
    StudentRecord r;
    std::memcpy(&r, Bytes.constData() + i * std::int64_t(sizeof r), sizeof r);
    return r;
}
