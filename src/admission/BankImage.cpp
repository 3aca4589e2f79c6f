#include "admission/BankImage.h"

#include <cstring>

std::vector<QuestionRecord> BankImage::records(const QByteArray& bank)
{
    const qsizetype count = bank.size() / qsizetype(sizeof(QuestionRecord));
    std::vector<QuestionRecord> out(static_cast<size_t>(count));
    if (count > 0)
        std::memcpy(out.data(), bank.constData(), size_t(count) * sizeof(QuestionRecord));
    return out;
}

qsizetype BankImage::trailingBytes(const QByteArray& bank)
{
    return bank.size() % qsizetype(sizeof(QuestionRecord));
}

QByteArray BankImage::bytes(const std::vector<QuestionRecord>& records)
{
    return QByteArray(reinterpret_cast<const char*>(records.data()),
                      qsizetype(records.size() * sizeof(QuestionRecord)));
}
