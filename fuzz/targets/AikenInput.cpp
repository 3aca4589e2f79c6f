#include "AikenInput.h"

#include "FuzzProperty.h"

#include "admission/AikenError.h"
#include "admission/AikenReader.h"
#include "admission/AikenWriter.h"
#include "admission/BankCheck.h"
#include "admission/BankImage.h"

void AikenInput::run(const QByteArray& data)
{
    std::vector<QuestionRecord> records;
    try {
        records = AikenReader::read(data, QStringLiteral("source"));
    } catch (const AikenError&) {
        return;
    }
    FuzzProperty::require(!records.empty(), "a source that imports has questions");
    const QByteArray bank = BankImage::bytes(records);
    FuzzProperty::require(BankCheck::findings(bank).isEmpty(), "an imported bank has no fault",
                          BankCheck::findings(bank).join(QLatin1Char('\n')).toUtf8());

    QByteArray text;
    try {
        text = AikenWriter::write(records, QStringLiteral("bank"));
    } catch (const Exception& e) {
        FuzzProperty::require(false, "an imported bank exports", e.message().toUtf8());
    }
    std::vector<QuestionRecord> again;
    try {
        again = AikenReader::read(text, QStringLiteral("exported"));
    } catch (const AikenError& e) {
        FuzzProperty::require(false, "an exported bank imports again", e.message().toUtf8());
    }
    FuzzProperty::require(BankImage::bytes(again) == bank, "import, export and import give the same bank");
}
