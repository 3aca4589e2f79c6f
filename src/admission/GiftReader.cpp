#include "admission/GiftReader.h"

#include "admission/BankText.h"
#include "admission/ChoiceQuestion.h"
#include "admission/HtmlText.h"
#include "admission/SourceError.h"
#include "admission/SourceLines.h"

#include <QRegularExpression>

namespace {

// Whether the backslash at `i` stands with the character after it for
// one character: an escaped special character, a backslash, or "\n", the
// line break the learning system writes for a break within a text.
bool isEscape(QStringView text, qsizetype i)
{
    return text[i] == QLatin1Char('\\') && i + 1 < text.size()
        && (GiftReader::isEscapable(text[i + 1]) || text[i + 1] == QLatin1Char('n'));
}

// The position of the first of `wanted` at or after `from` that no
// backslash escapes, or -1.
qsizetype findUnescaped(QStringView text, qsizetype from, QStringView wanted)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (isEscape(text, i))
            ++i;
        else if (wanted.contains(text[i]))
            return i;
    }
    return -1;
}

QString unescaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isEscape(text, i)) {
            ++i;
            out += text[i] == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

// A question of the source: its lines (trimmed, comments gone) joined
// with line breaks, and the source line of each.
struct Block
{
    QString Text;
    QList<int> LineStarts; // offset in Text of each line
    QList<int> Lines;      // its line in the source

    void add(const QString& line, int lineNo)
    {
        if (!LineStarts.isEmpty())
            Text += QLatin1Char('\n');
        LineStarts.append(int(Text.size()));
        Lines.append(lineNo);
        Text += line;
    }

    int lineAt(qsizetype offset) const
    {
        int k = 0;
        while (k + 1 < LineStarts.size() && LineStarts[k + 1] <= offset)
            ++k;
        return Lines.value(k);
    }
};

class Parser
{
public:
    Parser(const QByteArray& source, const QString& fileName)
        : Source(source)
        , FileName(fileName)
    {
    }

    ImportedQuestions run()
    {
        const QList<QByteArray> lines = SourceLines::split(Source);
        Block block;
        int openedAt = 0; // the line of a "{" not yet closed
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const int lineNo = int(i) + 1;
            const std::optional<QString> decoded = SourceLines::text(lines[i]);
            if (!decoded)
                throw SourceError(FileName, lineNo, QStringLiteral("not valid UTF-8"));
            const QString line = BankText::trimBlanks(*decoded);
            // Comments go; so does a category line ahead of a question:
            // the bank has no categories.
            if (line.startsWith(QLatin1String("//"))
                || (block.Lines.isEmpty() && line.startsWith(QLatin1String("$CATEGORY:"))))
                continue;
            if (line.isEmpty() && openedAt == 0) {
                take(block);
                block = Block();
                continue;
            }
            block.add(line, lineNo);
            // Inside the answers a blank line does not end the question.
            for (qsizetype at = 0; (at = findUnescaped(line, at, u"{}")) >= 0; ++at)
                openedAt = line[at] == QLatin1Char('{') ? lineNo : 0;
        }
        if (openedAt > 0)
            throw SourceError(FileName, openedAt, QStringLiteral("no \"}\" closes the answers opened here"));
        take(block);
        if (Count == 0)
            throw SourceError(FileName, 0, QStringLiteral("no questions"));
        return std::move(Out);
    }

private:
    // A text as the learning system shows it: its own default, which lets
    // HTML through; "[html]"; "[plain]" or "[markdown]", shown as written.
    enum class Format { Auto, Html, Plain };

    struct Answer
    {
        QString Text;
        double Weight = 0;
    };

    void take(const Block& block)
    {
        if (!block.Lines.isEmpty())
            question(block);
    }

    void question(const Block& block)
    {
        const QString& text = block.Text;
        const int line = block.Lines.first();
        qsizetype pos = 0;
        QString title;
        if (text.startsWith(QLatin1String("::"))) {
            qsizetype end = 2;
            while ((end = findUnescaped(text, end, u":")) >= 0 && !QStringView(text).mid(end).startsWith(u"::"))
                ++end;
            if (end < 0)
                throw SourceError(FileName, line, QStringLiteral("the title opened with \"::\" is not closed"));
            title = plainText(unescaped(QStringView(text).mid(2, end - 2)), Format::Plain);
            pos = end + 2;
        }
        // Only the blanks the reader trims everywhere: a no-break space
        // belongs to the text.
        while (pos < text.size()
               && (text[pos] == QLatin1Char(' ') || text[pos] == QLatin1Char('\t') || text[pos] == QLatin1Char('\n')))
            ++pos;
        Format format = Format::Auto;
        static const QRegularExpression Marker(QStringLiteral("\\[(html|moodle|plain|markdown)\\]"));
        if (const QRegularExpressionMatch m = Marker.match(text, pos, QRegularExpression::NormalMatch,
                                                           QRegularExpression::AnchorAtOffsetMatchOption);
            m.hasMatch()) {
            const QString name = m.captured(1);
            format = name == QLatin1String("html")                                             ? Format::Html
                : name == QLatin1String("plain") || name == QLatin1String("markdown") ? Format::Plain
                                                                                         : Format::Auto;
            pos = m.capturedEnd();
        }
        const qsizetype open = findUnescaped(text, pos, u"{");
        if (open < 0 && !title.isEmpty()) {
            // A titled text without answers is a description, as the
            // learning system exports the text it shows between questions.
            ++Count;
            Out.Skipped.push_back(SkippedQuestion{line, Count, title,
                                                  QStringLiteral("a description (no answers); the bank holds "
                                                                 "multiple-choice questions")});
            return;
        }
        if (open < 0)
            throw SourceError(FileName, line, QStringLiteral("a question without its answers in \"{...}\""));
        const qsizetype close = findUnescaped(text, open + 1, u"}");
        if (close < 0)
            throw SourceError(FileName, block.lineAt(open), QStringLiteral("no \"}\" closes the answers opened here"));

        ++Count;
        QuestionRecord record {};
        const QStringView all(text);
        const QString reason = fault(all.mid(pos, open - pos), all.mid(open + 1, close - open - 1),
                                     all.mid(close + 1), format, record);
        if (reason.isEmpty())
            Out.Records.push_back(record);
        else
            Out.Skipped.push_back(SkippedQuestion{line, Count, title, reason});
    }

    static QString plainText(const QString& text, Format format)
    {
        if (format == Format::Html)
            return HtmlText(text).plain();
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& l : lines)
            l = BankText::trimBlanks(l);
        lines.removeAll(QString());
        return lines.join(QLatin1Char(' '));
    }

    // The answers between the braces, each with its weight in per cent;
    // "=" is a weight of 100, "~" of 0 unless "%N%" says otherwise.
    static std::vector<Answer> answers(QStringView inside)
    {
        std::vector<Answer> out;
        qsizetype at = findUnescaped(inside, 0, u"=~");
        while (at >= 0) {
            const qsizetype next = findUnescaped(inside, at + 1, u"=~");
            QStringView item = inside.mid(at + 1, (next < 0 ? inside.size() : next) - at - 1);
            if (const qsizetype feedback = findUnescaped(item, 0, u"#"); feedback >= 0)
                item = item.left(feedback);
            Answer a;
            a.Weight = inside[at] == QLatin1Char('=') ? 100 : 0;
            static const QRegularExpression Weight(QStringLiteral("^\\s*%(-?[0-9]+(?:\\.[0-9]+)?)%"));
            if (const QRegularExpressionMatch m = Weight.match(item.toString()); m.hasMatch()) {
                a.Weight = m.captured(1).toDouble();
                item = item.mid(m.capturedEnd());
            }
            a.Text = unescaped(item);
            out.push_back(a);
            at = next;
        }
        return out;
    }

    static QString kind(QStringView inside)
    {
        const QString answers = inside.trimmed().toString();
        if (answers.isEmpty())
            return QStringLiteral("an essay question");
        if (answers.startsWith(QLatin1Char('#')))
            return QStringLiteral("a numerical question");
        static const QRegularExpression TrueFalse(QStringLiteral("^(T|F|TRUE|FALSE)\\s*(#|$)"),
                                                  QRegularExpression::CaseInsensitiveOption);
        if (TrueFalse.match(answers).hasMatch())
            return QStringLiteral("a true/false question");
        if (findUnescaped(inside, 0, u"~") < 0 && findUnescaped(inside, 0, u"=") >= 0)
            return answers.contains(QLatin1String("->")) ? QStringLiteral("a matching question")
                                                         : QStringLiteral("a short-answer question");
        const qsizetype first = findUnescaped(inside, 0, u"=~");
        if (first < 0 || !inside.left(first).trimmed().isEmpty())
            return QStringLiteral("answers that are not a multiple choice");
        return QString();
    }

    static QString fault(QStringView questionText, QStringView inside, QStringView after, Format format,
                         QuestionRecord& record)
    {
        if (!after.trimmed().isEmpty())
            return QStringLiteral("a missing-word question (text after the answers); the bank holds the question "
                                  "before its answers");
        if (const QString other = kind(inside); !other.isEmpty())
            return other + QStringLiteral("; the bank holds multiple-choice questions");
        ChoiceQuestion q;
        const QString question = unescaped(questionText);
        q.Text = plainText(question, format);
        q.HasMedia = hasMedia(question, format);
        for (const Answer& a : answers(inside))
            q.Choices.push_back({plainText(a.Text, format), hasMedia(a.Text, format), a.Weight});
        return q.toRecord(record);
    }

    // The learning system lets HTML through in every text but a plain one,
    // so a picture tag shows a picture even without "[html]".
    static bool hasMedia(const QString& text, Format format)
    {
        return format != Format::Plain && HtmlText(text).hasMedia();
    }

    const QByteArray& Source;
    const QString& FileName;
    ImportedQuestions Out;
    int Count = 0;
};

} // namespace

ImportedQuestions GiftReader::read(const QByteArray& source, const QString& fileName)
{
    return Parser(source, fileName).run();
}

bool GiftReader::isEscapable(QChar c)
{
    return c == QLatin1Char('~') || c == QLatin1Char('=') || c == QLatin1Char('#') || c == QLatin1Char('{')
        || c == QLatin1Char('}') || c == QLatin1Char(':') || c == QLatin1Char('\\');
}

bool GiftReader::looksLikeGift(const QByteArray& source)
{
    try {
        read(source, QString());
        return true;
    } catch (const SourceError&) {
        return false;
    }
}
