#include "admission/AikenReader.h"

#include "admission/AikenError.h"
#include "platform/Cp1251.h"

#include <QList>
#include <QStringDecoder>

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

QString characterName(char32_t code, const QString& character)
{
    QString name = QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    if (code >= 0x20 && QChar::isPrint(code))
        name += QStringLiteral(" \"%1\"").arg(character);
    return name;
}

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
        QList<QByteArray> lines = Source.split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast(); // the line end of the last line
        if (!lines.isEmpty() && lines.first().startsWith("\xEF\xBB\xBF"))
            lines.first().remove(0, 3);

        for (qsizetype i = 0; i < lines.size(); ++i) {
            LineNo = int(i) + 1;
            take(AikenReader::trimBlanks(decode(lines[i])));
        }
        LineNo = int(lines.size()) + 1; // the end of the source
        if (State == InOptions)
            fail(QStringLiteral("missing option %1").arg(letter(NextOption)));
        if (State == AwaitingAnswer)
            fail(QStringLiteral("missing \"ANSWER: X\" line"));
        if (Records.empty())
            throw AikenError(FileName, 0, QStringLiteral("no questions"));
        return std::move(Records);
    }

private:
    enum Phase { AwaitingQuestion, InOptions, AwaitingAnswer };

    [[noreturn]] void fail(const QString& reason) const { throw AikenError(FileName, LineNo, reason); }

    static QChar letter(int option) { return QChar(char16_t(u'A' + option)); }

    QString decode(QByteArray line) const
    {
        if (line.endsWith('\r'))
            line.chop(1);
        // A carriage return left inside the line would be a line break in
        // the middle of a text, which the bench cannot show and the export
        // cannot write back.
        if (line.contains('\r'))
            fail(QStringLiteral("a carriage return inside the line; lines end with LF or CR LF"));
        // The byte order mark at the head of the source is gone by now; one
        // at the head of any other line is a character like any other.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        QString text = utf8(line);
        if (utf8.hasError())
            fail(QStringLiteral("not valid UTF-8"));
        return text;
    }

    void take(const QString& line)
    {
        switch (State) {
        case AwaitingQuestion:
            if (line.isEmpty())
                return;
            if (line.startsWith(AnswerTag))
                fail(QStringLiteral("\"ANSWER:\" line without a question"));
            Current = QuestionRecord{};
            store(Current.Question, line);
            NextOption = 0;
            State = InOptions;
            return;

        case InOptions: {
            const QChar expected = letter(NextOption);
            const QChar found = optionLetter(line);
            if (found.isNull()) {
                if (NextOption == 0 && !line.isEmpty() && !line.startsWith(AnswerTag))
                    fail(QStringLiteral("missing option A (the question must be on one line)"));
                fail(QStringLiteral("missing option %1").arg(expected));
            }
            if (found != expected)
                fail(QStringLiteral("option %1 where option %2 belongs").arg(QString(found), QString(expected)));
            ++NextOption;
            store(Current.answer(NextOption), AikenReader::trimBlanks(line.mid(2)));
            if (NextOption == Options)
                State = AwaitingAnswer;
            return;
        }

        case AwaitingAnswer: {
            const QChar extra = optionLetter(line);
            if (!extra.isNull())
                fail(QStringLiteral("a fifth option \"%1\"; a question has four, A to D").arg(line.left(2)));
            if (!line.startsWith(AnswerTag))
                fail(QStringLiteral("missing \"ANSWER: X\" line"));
            const QString given = AikenReader::trimBlanks(line.mid(AnswerTag.size()));
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

    // Stores a text into a zeroed field: length byte and characters, the
    // rest of the field stays zero.
    void store(ShortString<255>& field, const QString& text) const
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
                fail(QStringLiteral("character %1 is not in code page 1251")
                         .arg(characterName(code, text.mid(i, 2))));
            }
            if (!Cp1251::canEncode(c))
                fail(QStringLiteral("character %1 is not in code page 1251")
                         .arg(characterName(c.unicode(), QString(c))));
        }
        const QByteArray bytes = Cp1251::encode(text);
        if (bytes.size() > 255)
            fail(QStringLiteral("text of %1 bytes in code page 1251; a field holds 255").arg(bytes.size()));
        field.setBytes(bytes);
    }

    const QByteArray& Source;
    const QString& FileName;
    std::vector<QuestionRecord> Records;
    QuestionRecord Current {};
    Phase State = AwaitingQuestion;
    int NextOption = 0;
    int LineNo = 0;
};

} // namespace

std::vector<QuestionRecord> AikenReader::read(const QByteArray& source, const QString& fileName)
{
    return Parser(source, fileName).run();
}

QString AikenReader::trimBlanks(const QString& text)
{
    auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}
