#include "journal/Journal.h"

#include "platform/EInOutError.h"
#include "journal/JournalLock.h"
#include "journal/JournalLockFile.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

// Records read at once by the lookup: one system call per block rather
// than per record.
constexpr std::int64_t LookupBlock = 1024;
// Records read at once by the instructor's readers.
constexpr std::int64_t ReadBlock = 4096;

} // namespace

const QString Journal::DefaultFileName = QStringLiteral("Students.DAT");

Journal::Journal(QString fileName, Clock& clock)
    : FileName(std::move(fileName))
    , FClock(clock)
    , JournalFile(int(sizeof(StudentRecord)))
{
}

void Journal::pause(int milliseconds)
{
    if (Pause)
        Pause(milliseconds);
    else
        FClock.sleep(milliseconds);
}

void Journal::checkLockHeld()
{
    if (HeldLockFile && !HeldLockFile->stillHeld())
        throw JournalBusy();
}

void Journal::open()
{
    RecordLocksRefused = false;
    JournalFile.assign(FileName);
    JournalFile.resetOrCreate();
}

void Journal::openForReading()
{
    RecordLocksRefused = false;
    JournalFile.assign(FileName);
    JournalFile.resetForReading();
}

void Journal::close()
{
    JournalFile.close();
}

void Journal::WriteStudent()
{
    JournalLock lock(*this);
    checkLockHeld();
    Written = true;
    JournalFile.write(&Student);
    JournalFile.seek(JournalFile.filePos() - 1);
    lock.release();
}

bool Journal::findCode(std::int32_t code)
{
    if (JournalFile.fileSize() == 0) {
        JournalFile.seek(0);
        return false;
    }
    JournalFile.seek(0);
    const auto block = std::make_unique<StudentRecord[]>(LookupBlock);
    std::int64_t next = 0; // index of the first record of the block
    for (;;) {
        const std::int64_t got = JournalFile.readBlock(block.get(), LookupBlock);
        if (got == 0)
            break;
        for (std::int64_t j = 0; j < got; ++j) {
            const std::int32_t plain = block[j].plainCode();
            std::int32_t stored = 0;
            if (plain >= 0 ? plain == code : block[j].code(stored) && stored == code) {
                Student = block[j];
                JournalFile.seek(next + j);
                return true;
            }
        }
        Student = block[got - 1];
        next += got;
    }
    // No record left to read. A journal cut shorter than the records
    // already read by another program fails as reading past its end would.
    if (next == 0 || JournalFile.fileSize() < next)
        throw EInOutError(EInOutError::ReadBeyondEnd);
    return false;
}

std::int64_t Journal::readAll(const std::function<void(std::int64_t)>& start,
                              const std::function<void(std::int64_t, const StudentRecord&)>& visit)
{
    openForReading();
    JournalLock lock(*this, JournalLock::Shared);
    struct stat st {};
    if (::fstat(JournalFile.handle(), &st) != 0)
        throw EInOutError::fromErrno(errno);
    start(st.st_size / std::int64_t(sizeof(StudentRecord)));
    const auto block = std::make_unique<StudentRecord[]>(ReadBlock);
    std::int64_t index = 0;
    for (;;) {
        const std::int64_t got = JournalFile.readBlock(block.get(), ReadBlock);
        if (got == 0)
            break;
        for (std::int64_t j = 0; j < got; ++j)
            visit(index + j, block[j]);
        index += got;
    }
    lock.release();
    close();
    return st.st_size;
}
