#include "BankInput.h"

#include "FuzzProperty.h"
#include "ScratchFile.h"

#include "admission/AikenError.h"
#include "admission/AikenReader.h"
#include "admission/AikenWriter.h"
#include "admission/BankCheck.h"
#include "admission/BankFile.h"
#include "admission/BankImage.h"
#include "admission/BankText.h"
#include "platform/EInOutError.h"
#include "platform/RandomGenerator.h"

#include <QDir>

#include <cstring>

namespace {

void draws(const QByteArray& data, const std::vector<QuestionRecord>& records)
{
    static ScratchFile file(QStringLiteral("Qest.txt"));
    file.write(data);
    // The bench opens its banks in the current folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(file.folder());
    BankFile bank;
    bank.open(QStringLiteral("Qest.txt"));
    QDir::setCurrent(previous);
    FuzzProperty::require(bank.recordCount() == std::int64_t(records.size()), "the bank counts whole records");

    RandomGenerator generator;
    std::uint32_t seed = 0;
    std::memcpy(&seed, data.constData(), std::min<size_t>(sizeof seed, size_t(data.size())));
    generator.setSeed(seed);
    for (int i = 0; i < 3; ++i) {
        QuestionRecord current {};
        std::memset(&current, 0x5A, sizeof current);
        try {
            const std::int64_t k = bank.drawInto(generator, current);
            FuzzProperty::require(k >= 0 && k < std::int64_t(records.size()), "a draw stays in the bank");
            FuzzProperty::require(std::memcmp(&current, &records[size_t(k)], sizeof current) == 0,
                                  "the record drawn is the record stored");
        } catch (const EInOutError& e) {
            FuzzProperty::require(records.empty() && e.errorCode() == EInOutError::ReadBeyondEnd,
                                  "only an empty bank fails to draw", e.message().toUtf8());
        }
    }
    bank.close();
}

void exportAndImport(const std::vector<QuestionRecord>& records)
{
    QByteArray text;
    try {
        text = AikenWriter::write(records, QStringLiteral("Qest.txt"));
    } catch (const Exception&) {
        return; // a record the text format cannot hold: refused, not written
    }
    if (records.empty())
        return;
    std::vector<QuestionRecord> again;
    try {
        again = AikenReader::read(text, QStringLiteral("exported"));
    } catch (const AikenError& e) {
        FuzzProperty::require(false, "an exported bank imports again", e.message().toUtf8());
    }
    FuzzProperty::require(again.size() == records.size(), "an exported bank imports to as many questions");
    for (size_t k = 0; k < records.size(); ++k) {
        FuzzProperty::require(again[k].RightAnswer == records[k].RightAnswer, "the right answer survives export");
        FuzzProperty::require(again[k].Question.text() == BankText::trimBlanks(records[k].Question.text()),
                              "the question survives export", records[k].Question.bytes().toHex());
        for (int a = 1; a <= 4; ++a)
            FuzzProperty::require(again[k].answer(a).text() == BankText::trimBlanks(records[k].answer(a).text()),
                                  "an answer survives export", records[k].answer(a).bytes().toHex());
    }
}

} // namespace

void BankInput::run(const QByteArray& data)
{
    const std::vector<QuestionRecord> records = BankImage::records(data);

    const QStringList findings = BankCheck::findings(data);
    bool sound = !records.empty() && BankImage::trailingBytes(data) == 0;
    for (const QuestionRecord& r : records)
        sound = sound && r.RightAnswer >= 1 && r.RightAnswer <= 4;
    FuzzProperty::require(findings.isEmpty() == sound, "the check finds a fault exactly when there is one");

    draws(data, records);
    exportAndImport(records);
}
