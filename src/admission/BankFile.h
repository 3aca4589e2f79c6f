#pragma once

#include "admission/QuestionRecord.h"
#include "platform/TypedFile.h"

#include <QString>

#include <cstdint>

class RandomGenerator;

// The open question bank: a typed file of 1288-byte QuestionRecords in the
// data directory, opened for reading only, as the program only reads it: a
// class's students read the instructor's banks but may not write them. A
// bank this account may not read fails to open with "File access denied".
// Every failure throws EInOutError ("File not found", "File access denied",
// "Read beyond end of file", ...).
class BankFile
{
public:
    BankFile();

    // Binds the bank to the file of that name in the data directory and
    // opens the existing file; an open bank is closed first.
    void open(const QString& fileName);
    void close();
    bool isOpen() const { return File.isOpen(); }
    const QString& path() const { return File.name(); }

    // The bank's size in whole records; a trailing partial record does not
    // count.
    std::int64_t recordCount() const;

    // Reads record k into the record given; all 1288 bytes are replaced.
    // A failed read leaves the record as it was.
    void read(std::int64_t k, QuestionRecord& record);

    // The draw of a question: a record number below the record count from
    // the generator, then that record read into the record given. An empty
    // bank draws record 0, whose read fails with "Read beyond end of file".
    // Returns the record number drawn.
    std::int64_t drawInto(RandomGenerator& generator, QuestionRecord& record);

private:
    TypedFile File;
};
