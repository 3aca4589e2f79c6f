#include "admission/AikenReader.h"

#include "admission/AikenError.h"
#include "admission/BankText.h"
#include "admission/SourceLines.h"

namespace {

constexpr int Options = 4;

// "A." or "A)" with any capital Latin letter: the letter, else a null char.
QChar optionLetter(const QString& line)
{
    if (line.size() >= 2 && line[0] >= QLatin1Char('A') && line[0] <= QLatin1Char('Z')
        && (line[1] == QLatin1Char('.') || line[1] == QLatin1Char(')')))
        return line[0];
    return QChar();
}

const QString AnswerTag = QStringLiteral("ANSWER:");

class Parser
{
public:
    Parser(const QByteArray& source, const QString& fileName)
        : Source(source)
        , FileName(fileName)
    {
    }

    std::vector<QuestionRecord> run()
    {
        const QList<QByteArray> lines = SourceLines::split(Source);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            LineNo = int(i) + 1;
            take(BankText::trimBlanks(decode(lines[i])));
        }
        // What is missing at the end belongs on the line after the last
        // one that said anything.
        LineNo = LastLine + 1;
        if (State == InQuestion)
            fail(QStringLiteral("missing option A"));
        if (State == InOptions)
            fail(QStringLiteral("missing option %1").arg(letter(NextOption)));
        if (State == AwaitingAnswer)
            fail(QStringLiteral("missing \"ANSWER: X\" line"));
        if (Records.empty())
            throw AikenError(FileName, 0, QStringLiteral("no questions"));
        return std::move(Records);
    }

private:
    enum Phase { AwaitingQuestion, InQuestion, InOptions, AwaitingAnswer };

    [[noreturn]] void fail(const QString& reason) const { throw AikenError(FileName, LineNo, reason); }

    static QChar letter(int option) { return QChar(char16_t(u'A' + option)); }

    QString decode(const QByteArray& line) const
    {
        std::optional<QString> text = SourceLines::text(line);
        if (!text)
            fail(QStringLiteral("not valid UTF-8"));
        return *text;
    }

    void take(const QString& line)
    {
        if (line.isEmpty())
            return;
        LastLine = LineNo;
        switch (State) {
        case AwaitingQuestion:
            if (line.startsWith(AnswerTag))
                fail(QStringLiteral("\"ANSWER:\" line without a question"));
            Current = QuestionRecord{};
            QuestionText = line;
            QuestionLine = LineNo;
            State = InQuestion;
            return;

        case InQuestion: {
            const QChar found = optionLetter(line);
            if (line.startsWith(AnswerTag))
                fail(QStringLiteral("missing option A"));
            if (found.isNull()) {
                QuestionText += QLatin1Char(' ') + line;
                return;
            }
            if (found != letter(0))
                fail(QStringLiteral("option %1 where option A belongs").arg(QString(found)));
            store(Current.Question, QuestionText, QuestionLine);
            NextOption = 0;
            State = InOptions;
            option(line);
            return;
        }

        case InOptions: {
            const QChar expected = letter(NextOption);
            const QChar found = optionLetter(line);
            if (found.isNull())
                fail(QStringLiteral("missing option %1").arg(expected));
            if (found != expected)
                fail(QStringLiteral("option %1 where option %2 belongs").arg(QString(found), QString(expected)));
            option(line);
            return;
        }

        case AwaitingAnswer: {
            const QChar extra = optionLetter(line);
            if (!extra.isNull())
                fail(QStringLiteral("a fifth option \"%1\"; a question has four, A to D").arg(line.left(2)));
            if (!line.startsWith(AnswerTag))
                fail(QStringLiteral("missing \"ANSWER: X\" line"));
            const QString given = BankText::trimBlanks(line.mid(AnswerTag.size()));
            if (given.isEmpty())
                fail(QStringLiteral("missing answer letter"));
            if (given.size() != 1 || given[0] < QLatin1Char('A') || given[0] > QLatin1Char('D'))
                fail(QStringLiteral("unknown answer letter \"%1\"; use A, B, C or D").arg(given));
            Current.RightAnswer = given[0].unicode() - u'A' + 1;
            Records.push_back(Current);
            State = AwaitingQuestion;
            return;
        }
        }
    }

    void option(const QString& line)
    {
        ++NextOption;
        store(Current.answer(NextOption), BankText::trimBlanks(line.mid(2)), LineNo);
        State = NextOption == Options ? AwaitingAnswer : InOptions;
    }

    void store(ShortString<255>& field, const QString& text, int line) const
    {
        if (const QString fault = BankText::fault(text); !fault.isEmpty())
            throw AikenError(FileName, line, fault);
        BankText::store(field, text);
    }

    const QByteArray& Source;
    const QString& FileName;
    std::vector<QuestionRecord> Records;
    QuestionRecord Current {};
    QString QuestionText;
    int QuestionLine = 0;
    Phase State = AwaitingQuestion;
    int NextOption = 0;
    int LineNo = 0;
    int LastLine = 0;
};

} // namespace

std::vector<QuestionRecord> AikenReader::read(const QByteArray& source, const QString& fileName)
{
    return Parser(source, fileName).run();
}
