#pragma once

#include "platform/Exception.h"

// A failed file operation, with the runtime's error code and its text:
// 2 "File not found", 3 "Invalid filename", 4 "Too many open files",
// 5 "File access denied", 100 "Read beyond end of file", 101 "Disk full",
// 106 "Invalid numeric input", and "I/O error %d" for any other code (103
// and 131 among them).
class EInOutError : public Exception
{
public:
    enum Code {
        FileNotFound = 2,
        InvalidFilename = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        ReadBeyondEnd = 100,
        DiskFull = 101,
        // An operation on a file that is not open.
        FileNotOpen = 103,
        InvalidNumericInput = 106,
        // A seek to a negative record.
        NegativeSeek = 131,
    };

    explicit EInOutError(int code);

    int errorCode() const { return ErrorCode; }

    static QString textFor(int code);
    // Maps a system error number (errno) to the runtime's error code.
    static int codeFromErrno(int err);
    static EInOutError fromErrno(int err);

private:
    int ErrorCode;
};
