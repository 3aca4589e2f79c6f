#include "QuestionSourceInput.h"

#include "FuzzProperty.h"

#include "admission/BankCheck.h"
#include "admission/BankImage.h"
#include "admission/SourceError.h"

void QuestionSourceInput::run(BankFormat::Kind format, const QByteArray& data)
{
    ImportedQuestions got;
    try {
        got = BankFormat::read(format, data, QStringLiteral("source"));
    } catch (const SourceError&) {
        return;
    }
    const size_t questions = got.Records.size() + got.Skipped.size();
    FuzzProperty::require(questions > 0, "a source that reads has questions");
    int previous = 0;
    for (const SkippedQuestion& s : got.Skipped) {
        FuzzProperty::require(s.Number > previous && size_t(s.Number) <= questions,
                              "skipped questions are numbered in order");
        FuzzProperty::require(!s.Reason.isEmpty(), "a skipped question has a reason");
        previous = s.Number;
    }
    if (got.Records.empty())
        return;
    const QByteArray bank = BankImage::bytes(got.Records);
    FuzzProperty::require(BankCheck::findings(bank).isEmpty(), "an imported bank has no fault",
                          BankCheck::findings(bank).join(QLatin1Char('\n')).toUtf8());

    QByteArray text;
    try {
        text = BankFormat::write(format, got.Records, QStringLiteral("bank"));
    } catch (const Exception& e) {
        FuzzProperty::require(false, "an imported bank exports", e.message().toUtf8());
    }
    ImportedQuestions again;
    try {
        again = BankFormat::read(format, text, QStringLiteral("exported"));
    } catch (const SourceError& e) {
        FuzzProperty::require(false, "an exported bank imports again", e.message().toUtf8());
    }
    FuzzProperty::require(again.Skipped.empty(), "an exported bank imports whole",
                          again.Skipped.empty() ? QByteArray() : again.Skipped[0].message("exported").toUtf8());
    FuzzProperty::require(BankImage::bytes(again.Records) == bank, "import, export and import give the same bank");
}
