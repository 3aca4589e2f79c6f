#pragma once

#include "admission/ImportedQuestions.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The text formats a bank comes from and goes to: Aiken, Moodle XML and
// GIFT, the ones the instructor's learning system imports and exports.
class BankFormat
{
public:
    enum Kind { Aiken, MoodleXml, Gift };

    // "aiken", "moodle-xml", "gift"
    static std::optional<Kind> fromName(const QString& name);
    static QString name(Kind kind);
    // By the file's extension: .txt and .aiken for Aiken, .xml for Moodle
    // XML, .gift for GIFT (any case); nothing for any other.
    static std::optional<Kind> fromFileName(const QString& path);

    // The questions of a source; a source that cannot become a bank at all
    // throws SourceError.
    static ImportedQuestions read(Kind kind, const QByteArray& source, const QString& fileName);
    // A bank as text; a record the format cannot hold throws Exception.
    static QByteArray write(Kind kind, const std::vector<QuestionRecord>& records, const QString& bankName);
};
