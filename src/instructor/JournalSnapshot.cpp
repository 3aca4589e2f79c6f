#include "instructor/JournalSnapshot.h"

#include "journal/Journal.h"
#include "journal/JournalCheck.h"
#include "journal/JournalHistory.h"
#include "journal/JournalLock.h"
#include "platform/EInOutError.h"

#include <algorithm>
#include <cstring>

int JournalSnapshot::findingCount() const
{
    int n = int(EndFindings.size());
    for (const QStringList& found : RecordFindings)
        n += int(found.size());
    return n;
}

QStringList JournalSnapshot::allFindings() const
{
    QList<int> rows = RecordFindings.keys();
    std::sort(rows.begin(), rows.end());
    QStringList all;
    for (int row : rows)
        all += RecordFindings.value(row);
    return all + EndFindings;
}

namespace {

// Versions whose changes a reading gathers at most: the window shows what
// happened lately, `journal history` the rest.
constexpr int VersionsLooked = 200;

} // namespace

void JournalSnapshot::keepHistory(const QString& root, const QString& seen)
{
    if (State != Read && State != Missing)
        return;
    try {
        JournalHistory history(Path, root);
        if (State == Read)
            Kept = history.keepJournal();
        else if (!history.latest().isEmpty())
            Kept = history.keep(JournalContent());
        Latest = history.latest();
        Versions = history.changesAfter(seen, VersionsLooked, &VersionsAfter);
    } catch (const EInOutError& e) {
        // The journal went away between the two readings: the next
        // reading keeps what is there then.
        HistoryPending = true;
        if (e.errorCode() != EInOutError::FileNotFound)
            HistoryError = QStringLiteral("журнал не удаётся прочитать: ") + failureText(e.errorCode());
    } catch (const Exception& e) {
        // A bench held the journal meanwhile: so too.
        HistoryPending = true;
        if (e.message() != JournalLock::busyText())
            HistoryError = e.message();
    }
}

QString JournalSnapshot::failureText(int ioErrorCode)
{
    switch (ioErrorCode) {
    case EInOutError::FileNotFound: return QStringLiteral("файл не найден");
    case EInOutError::InvalidFilename: return QStringLiteral("недопустимое имя файла");
    case EInOutError::TooManyOpenFiles: return QStringLiteral("слишком много открытых файлов");
    case EInOutError::AccessDenied: return QStringLiteral("нет доступа к файлу");
    default: return QStringLiteral("ошибка ввода-вывода %1").arg(ioErrorCode);
    }
}

JournalSnapshot JournalSnapshot::read(const QString& path, int lockTimeoutMs, HeldRecords given)
{
    // Let go of the held records on return, before the window applies the
    // reading.
    const std::shared_ptr<const JournalRecords> held = std::move(given.Records);
    JournalSnapshot s;
    s.Path = path;
    s.ReadAt = QDateTime::currentDateTime();
    s.Whole = !held;
    s.Generation = given.Generation;
    const std::int64_t heldCount = held ? std::int64_t(held->size()) : 0;
    Journal journal(path);
    journal.setLockTimeout(lockTimeoutMs);
    JournalCheck check;
    try {
        s.FileBytes = journal.readAll(
            [&](std::int64_t count) {
                check.reserve(count);
                s.Records.reserve(size_t(std::max<std::int64_t>(count - heldCount, 0)));
            },
            [&](std::int64_t index, const StudentRecord& r) {
                if (index >= heldCount)
                    s.Records.push_back(r);
                else if (std::memcmp(&(*held)[size_t(index)], &r, sizeof r) != 0)
                    s.Changed.emplace_back(int(index), r);
                QStringList found = check.record(r);
                if (!found.isEmpty())
                    s.RecordFindings.insert(int(index), std::move(found));
            });
        s.Count = int(check.records());
        s.EndFindings = check.end(s.FileBytes);
        s.State = Read;
    } catch (const EInOutError& e) {
        s.State = e.errorCode() == EInOutError::FileNotFound ? Missing : Unreadable;
        s.Error = failureText(e.errorCode());
    } catch (const JournalBusy& e) {
        s.State = Busy;
        s.Error = e.message();
    } catch (const Exception& e) {
        s.State = Unreadable;
        s.Error = e.message();
    }
    if (s.State != Read) {
        s.Records.clear();
        s.Changed.clear();
        s.RecordFindings.clear();
    }
    return s;
}
