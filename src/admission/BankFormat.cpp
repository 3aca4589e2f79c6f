#include "admission/BankFormat.h"

#include "admission/AikenReader.h"
#include "admission/AikenWriter.h"
#include "admission/GiftReader.h"
#include "admission/GiftWriter.h"
#include "admission/MoodleXmlReader.h"
#include "admission/MoodleXmlWriter.h"
#include "admission/SourceError.h"

#include <QFileInfo>

std::optional<BankFormat::Kind> BankFormat::fromName(const QString& name)
{
    for (Kind kind : {Aiken, MoodleXml, Gift})
        if (name == BankFormat::name(kind))
            return kind;
    return std::nullopt;
}

QString BankFormat::name(Kind kind)
{
    switch (kind) {
    case Aiken: return QStringLiteral("aiken");
    case MoodleXml: return QStringLiteral("moodle-xml");
    case Gift: return QStringLiteral("gift");
    }
    return QString();
}

std::optional<BankFormat::Kind> BankFormat::fromFileName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("txt") || suffix == QLatin1String("aiken"))
        return Aiken;
    if (suffix == QLatin1String("xml"))
        return MoodleXml;
    if (suffix == QLatin1String("gift"))
        return Gift;
    return std::nullopt;
}

ImportedQuestions BankFormat::read(Kind kind, const QByteArray& source, const QString& fileName)
{
    switch (kind) {
    case MoodleXml: return MoodleXmlReader::read(source, fileName);
    case Gift: return GiftReader::read(source, fileName);
    case Aiken: break;
    }
    try {
        return ImportedQuestions{AikenReader::read(source, fileName), {}};
    } catch (const SourceError& e) {
        // The learning system names its GIFT exports ".txt", as Aiken
        // sources are named.
        if (!GiftReader::looksLikeGift(source))
            throw;
        throw SourceError(e.fileName(), e.line(),
                          e.reason() + QStringLiteral("; looks like GIFT: use --format gift"));
    }
}

QByteArray BankFormat::write(Kind kind, const std::vector<QuestionRecord>& records, const QString& bankName)
{
    switch (kind) {
    case MoodleXml: return MoodleXmlWriter::write(records, bankName);
    case Gift: return GiftWriter::write(records, bankName);
    case Aiken: break;
    }
    return AikenWriter::write(records, bankName);
}
