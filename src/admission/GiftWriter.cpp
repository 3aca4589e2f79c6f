#include "admission/GiftWriter.h"

#include "admission/GiftReader.h"
#include "admission/HtmlText.h"
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

// The text of the question as it begins its line. A text that the reader
// would take for a comment or a format marker gets the learning system's
// own default marker ahead of it; a question with anything like a picture
// tag in its texts (which the bank holds as text) the plain-text marker,
// so that it is not shown, nor read back, as a picture.
QString questionLine(const QString& text, bool literal)
{
    static const QRegularExpression Marker(QStringLiteral("^\\s*(//|\\[(html|moodle|plain|markdown)\\])"));
    if (literal)
        return QStringLiteral("[plain]") + text;
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
        bool literal = HtmlText(question).hasMedia();
        QString answers;
        for (int a = 1; a <= 4; ++a) {
            const QString answer = record.nonEmptyAnswer(a);
            literal = literal || HtmlText(answer).hasMedia();
            answers += answerLine(escaped(answer), a == right) + QLatin1Char('\n');
        }

        if (k > 0)
            out += QLatin1Char('\n');
        // The blank before "{" keeps a backslash at the end of the text
        // from escaping the brace.
        out += questionLine(escaped(question), literal) + QStringLiteral(" {\n") + answers + QStringLiteral("}\n");
    }
    return out.toUtf8();
}
