#include "admission/BankCheck.h"

#include "admission/BankImage.h"

QStringList BankCheck::findings(const QByteArray& bank)
{
    QStringList found;
    const std::vector<QuestionRecord> records = BankImage::records(bank);
    for (size_t k = 0; k < records.size(); ++k) {
        const std::int32_t right = records[k].RightAnswer;
        if (right < 1 || right > 4)
            found << QStringLiteral("record %1: right answer %2 is outside 1 to 4; no answer to it counts as right")
                         .arg(k).arg(right);
    }
    if (const qsizetype tail = BankImage::trailingBytes(bank); tail > 0)
        found << QStringLiteral("%1 bytes after the last whole record: a partial record, never drawn").arg(tail);
    if (records.empty())
        found << QStringLiteral("no whole record: the draw fails with \"Read beyond end of file\"");
    return found;
}
