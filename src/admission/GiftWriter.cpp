#include "admission/GiftWriter.h"

#include "admission/GiftReader.h"
#include "admission/RecordText.h"

#include <QRegularExpression>

namespace {

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        if (GiftReader::isEscapable(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

// A question line that the reader would take for a comment or for a
// format marker gets a marker of the learning system's own default ahead
// of it, which changes nothing of the text.
QString questionLine(const QString& text)
{
    static const QRegularExpression Marker(QStringLiteral("^\\s*(//|\\[(html|moodle|plain|markdown)\\])"));
    return Marker.match(text).hasMatch() ? QStringLiteral("[moodle]") + text : text;
}

// An answer that begins with something like "%50%" would be read as a
// weight: such a one is written with its weight spelt out ahead of it.
QString answerLine(const QString& text, bool right)
{
    static const QRegularExpression Weight(QStringLiteral("^\\s*%"));
    if (Weight.match(text).hasMatch())
        return (right ? QStringLiteral("~%100%") : QStringLiteral("~%0%")) + text;
    return (right ? QStringLiteral("=") : QStringLiteral("~")) + text;
}

} // namespace

QByteArray GiftWriter::write(const std::vector<QuestionRecord>& records, const QString& bankName)
{
    QString out;
    for (size_t k = 0; k < records.size(); ++k) {
        const RecordText record(records[k], bankName, k);
        const int right = record.rightAnswer();
        const QString question = record.question();
        QString answers;
        for (int a = 1; a <= 4; ++a)
            answers += answerLine(escaped(record.nonEmptyAnswer(a)), a == right) + QLatin1Char('\n');

        if (k > 0)
            out += QLatin1Char('\n');
        // The blank before "{" keeps a backslash at the end of the text
        // from escaping the brace.
        out += questionLine(escaped(question)) + QStringLiteral(" {\n") + answers + QStringLiteral("}\n");
    }
    return out.toUtf8();
}
