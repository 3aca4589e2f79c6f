#include "platform/TypedFile.h"

#include "platform/EInOutError.h"
#include "platform/GroupShare.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A system call, made again while a signal interrupts it; its result, or
// the failure it reports as an I/O error.
template <typename Call>
auto uninterrupted(Call call)
{
    for (;;) {
        const auto result = call();
        if (result >= 0)
            return result;
        if (errno != EINTR)
            throw EInOutError::fromErrno(errno);
    }
}

bool hasNoWriteBit(const struct stat& st)
{
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// A file or folder with no write permission bit at all counts as read-only
// for every account, the superuser included: the bench may run under any
// account, and a journal or bank that an instructor made read-only must
// behave the same for all of them.
bool isReadOnly(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && hasNoWriteBit(st);
}

} // namespace

TypedFile::TypedFile(int recordSize)
    : RecordSize(recordSize)
{
}

TypedFile::~TypedFile()
{
    if (Fd >= 0)
        ::close(Fd);
}

void TypedFile::assign(const QString& name)
{
    if (Fd >= 0) {
        ::close(Fd);
        Fd = -1;
    }
    Parked = false;
    Name = name;
    Pos = 0;
}

void TypedFile::reset()
{
    open(OpenMode::Existing);
}

void TypedFile::rewrite()
{
    open(OpenMode::Create);
}

void TypedFile::resetOrCreate()
{
    open(OpenMode::CreateIfMissing);
}

void TypedFile::resetForReading()
{
    open(OpenMode::ReadOnly);
}

void TypedFile::open(OpenMode mode)
{
    if (Fd >= 0) {
        ::close(Fd);
        Fd = -1;
    }
    Parked = false;
    if (Name.isEmpty())
        throw EInOutError(EInOutError::InvalidFilename);
    const QByteArray path = QFile::encodeName(Name);
    if (path.contains('\0'))
        throw EInOutError(EInOutError::InvalidFilename);

    // A file that is missing is created, so its folder must be writable.
    const bool mayCreate = mode == OpenMode::Create
        || (mode == OpenMode::CreateIfMissing && !QFileInfo::exists(Name));
    if (mayCreate) {
        const QByteArray dir = QFile::encodeName(QFileInfo(Name).absolutePath());
        if (isReadOnly(dir) || isReadOnly(path))
            throw EInOutError(EInOutError::AccessDenied);
    } else if (mode != OpenMode::ReadOnly && isReadOnly(path)) {
        throw EInOutError(EInOutError::AccessDenied);
    }

    int flags = (mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    if (mode == OpenMode::Create)
        flags |= O_CREAT | O_TRUNC;
    else if (mode == OpenMode::CreateIfMissing)
        flags |= O_CREAT;
    // A file made here because it was missing is one that the programs of
    // several accounts open so (the journal): it is shared with the group
    // of its folder.
    if (mode == OpenMode::CreateIfMissing)
        Fd = uninterrupted([&] { return GroupShare::open(path, flags); });
    else
        Fd = uninterrupted([&] { return ::open(path.constData(), flags, 0666); });
    Mode = mode;
    Pos = 0;
}

void TypedFile::close()
{
    if (Parked) {
        Parked = false;
        Pos = 0;
        return;
    }
    requireOpen();
    Pos = 0;
    closeHandle();
}

void TypedFile::closeHandle()
{
    const int fd = Fd;
    Fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        throw EInOutError::fromErrno(errno);
}

void TypedFile::park()
{
    requireOpen();
    Parked = true;
    closeHandle();
}

void TypedFile::resume() const
{
    if (!Parked)
        return;
    const QByteArray path = QFile::encodeName(Name);
    const int flags = (Mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC;
    Fd = uninterrupted([&] { return ::open(path.constData(), flags); });
    Parked = false;
}

void TypedFile::reopen()
{
    requireOpen();
    Parked = true;
    closeHandle();
    resume();
}

void TypedFile::requireOpen() const
{
    if (Parked)
        resume();
    if (Fd < 0)
        throw EInOutError(EInOutError::FileNotOpen);
}

void TypedFile::seek(std::int64_t record)
{
    requireOpen();
    if (record < 0)
        throw EInOutError(EInOutError::NegativeSeek);
    Pos = record * RecordSize;
}

std::int64_t TypedFile::filePos() const
{
    if (!isOpen())
        throw EInOutError(EInOutError::FileNotOpen);
    return Pos / RecordSize;
}

std::int64_t TypedFile::fileSize() const
{
    requireOpen();
    struct stat st {};
    if (::fstat(Fd, &st) != 0)
        throw EInOutError::fromErrno(errno);
    return st.st_size / RecordSize;
}

void TypedFile::read(void* record)
{
    if (readBlock(record, 1) != 1)
        throw EInOutError(EInOutError::ReadBeyondEnd);
}

std::int64_t TypedFile::readBlock(void* records, std::int64_t maxRecords)
{
    requireOpen();
    const std::int64_t wanted = maxRecords * RecordSize;
    auto* out = static_cast<char*>(records);
    std::int64_t got = 0;
    while (got < wanted) {
        const ssize_t n =
            uninterrupted([&] { return ::pread(Fd, out + got, static_cast<size_t>(wanted - got), Pos + got); });
        if (n == 0)
            break;
        got += n;
    }
    const std::int64_t whole = got / RecordSize;
    Pos += whole * RecordSize;
    return whole;
}

QByteArray TypedFile::readAll()
{
    requireOpen();
    QByteArray bytes;
    for (;;) {
        const qsizetype got = bytes.size();
        bytes.resize(got + 65536);
        const ssize_t n =
            uninterrupted([&] { return ::pread(Fd, bytes.data() + got, size_t(bytes.size() - got), got); });
        bytes.resize(got + n);
        if (n == 0)
            return bytes;
    }
}

void TypedFile::truncate(std::int64_t records)
{
    requireOpen();
    if (records < 0)
        throw EInOutError(EInOutError::NegativeSeek);
    uninterrupted([&] { return ::ftruncate(Fd, off_t(records * RecordSize)); });
}

void TypedFile::write(const void* record)
{
    requireOpen();
    const auto* in = static_cast<const char*>(record);
    std::int64_t done = 0;
    while (done < RecordSize) {
        const ssize_t n =
            uninterrupted([&] { return ::pwrite(Fd, in + done, static_cast<size_t>(RecordSize - done), Pos + done); });
        if (n == 0)
            throw EInOutError(EInOutError::DiskFull);
        done += n;
    }
    Pos += RecordSize;
}

void TypedFile::flush()
{
    requireOpen();
    if (::fdatasync(Fd) != 0 && errno != EINVAL && errno != EROFS)
        throw EInOutError::fromErrno(errno);
}
