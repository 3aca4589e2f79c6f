#include "admission/BankFile.h"

#include "platform/DataDir.h"
#include "platform/RandomGenerator.h"

BankFile::BankFile()
    : File(sizeof(QuestionRecord))
{
}

void BankFile::open(const QString& fileName)
{
    File.assign(DataDir::path(fileName));
    File.resetForReading();
}

void BankFile::close()
{
    File.close();
}

std::int64_t BankFile::recordCount() const
{
    return File.fileSize();
}

void BankFile::read(std::int64_t k, QuestionRecord& record)
{
    // Read into a copy first: a short read must not leave the question on
    // show half overwritten, with a RightAnswer that no longer matches it.
    QuestionRecord read;
    File.seek(k);
    File.read(&read);
    record = read;
}

std::int64_t BankFile::drawInto(RandomGenerator& generator, QuestionRecord& record)
{
    const std::int64_t k = generator.draw(recordCount());
    read(k, record);
    return k;
}
