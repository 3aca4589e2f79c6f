#include "platform/EInOutError.h"

#include <cerrno>

EInOutError::EInOutError(int code)
    : Exception(textFor(code))
    , ErrorCode(code)
{
}

QString EInOutError::textFor(int code)
{
    switch (code) {
    case FileNotFound: return QStringLiteral("File not found");
    case InvalidFilename: return QStringLiteral("Invalid filename");
    case TooManyOpenFiles: return QStringLiteral("Too many open files");
    case AccessDenied: return QStringLiteral("File access denied");
    case ReadBeyondEnd: return QStringLiteral("Read beyond end of file");
    case DiskFull: return QStringLiteral("Disk full");
    case InvalidNumericInput: return QStringLiteral("Invalid numeric input");
    default: return QStringLiteral("I/O error %1").arg(code);
    }
}

int EInOutError::codeFromErrno(int err)
{
    switch (err) {
    case ENOENT: return FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return InvalidFilename;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return AccessDenied;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return DiskFull;
    default:
        return err;
    }
}

EInOutError EInOutError::fromErrno(int err)
{
    return EInOutError(codeFromErrno(err));
}
