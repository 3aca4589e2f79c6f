#include "admission/AikenWriter.h"

#include "admission/RecordText.h"

namespace {

bool startsAsAnswerLine(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    return QStringView(text).mid(i).startsWith(QLatin1String("ANSWER:"));
}

} // namespace

QByteArray AikenWriter::write(const std::vector<QuestionRecord>& records, const QString& bankName)
{
    QString out;
    for (size_t k = 0; k < records.size(); ++k) {
        const RecordText record(records[k], bankName, k);
        const int right = record.rightAnswer();
        const QString question = record.question();
        // Such a line would be read back as the answer line of no question.
        if (startsAsAnswerLine(question))
            record.refuse(QStringLiteral("the question begins with \"ANSWER:\", which the text format reads as "
                                         "an answer line"));

        if (k > 0)
            out += QLatin1Char('\n');
        out += question + QLatin1Char('\n');
        for (int a = 1; a <= 4; ++a) {
            const QString answer = record.answer(a);
            out += QChar(char16_t(u'A' + a - 1));
            out += QLatin1Char('.');
            if (!answer.isEmpty())
                out += QLatin1Char(' ') + answer;
            out += QLatin1Char('\n');
        }
        out += QStringLiteral("ANSWER: ") + QChar(char16_t(u'A' + right - 1)) + QLatin1Char('\n');
    }
    return out.toUtf8();
}
