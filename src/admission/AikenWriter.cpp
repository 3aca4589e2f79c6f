#include "admission/AikenWriter.h"

#include "platform/Exception.h"

namespace {

QString lineText(const ShortString<255>& field, const QString& bankName, size_t record, const char* what)
{
    const QString text = field.text();
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        throw Exception(QStringLiteral("%1: record %2: %3 has a line break in it")
                            .arg(bankName).arg(record).arg(QLatin1String(what)));
    return text;
}

// What the reader would take for a blank line, the end of a question.
bool isBlankLine(const QString& text)
{
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return false;
    return true;
}

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
        const QuestionRecord& r = records[k];
        if (r.RightAnswer < 1 || r.RightAnswer > 4)
            throw Exception(QStringLiteral("%1: record %2: right answer %3 is outside 1 to 4")
                                .arg(bankName).arg(k).arg(r.RightAnswer));
        const QString question = lineText(r.Question, bankName, k, "the question");
        if (isBlankLine(question))
            throw Exception(QStringLiteral("%1: record %2: the question is empty").arg(bankName).arg(k));
        // Such a line would be read back as the answer line of no question.
        if (startsAsAnswerLine(question))
            throw Exception(QStringLiteral("%1: record %2: the question begins with \"ANSWER:\", which the text "
                                           "format reads as an answer line")
                                .arg(bankName).arg(k));

        if (k > 0)
            out += QLatin1Char('\n');
        out += question + QLatin1Char('\n');
        static const char* const Names[] = {"answer 1", "answer 2", "answer 3", "answer 4"};
        for (int a = 1; a <= 4; ++a) {
            const QString answer = lineText(r.answer(a), bankName, k, Names[a - 1]);
            out += QChar(char16_t(u'A' + a - 1));
            out += QLatin1Char('.');
            if (!answer.isEmpty())
                out += QLatin1Char(' ') + answer;
            out += QLatin1Char('\n');
        }
        out += QStringLiteral("ANSWER: ") + QChar(char16_t(u'A' + r.RightAnswer - 1)) + QLatin1Char('\n');
    }
    return out.toUtf8();
}
