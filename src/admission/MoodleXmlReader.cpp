#include "admission/MoodleXmlReader.h"

#include "admission/BankText.h"
#include "admission/ChoiceQuestion.h"
#include "admission/HtmlText.h"
#include "admission/SourceError.h"
#include "admission/SourceLines.h"

#include <QXmlStreamReader>

namespace {

// One <text> of a question (its text, an answer) with the format it is
// written in, read as the bank holds it.
struct FormattedText
{
    QString Text;
    QString Format;
    bool Pictures = false; // <file> elements: pictures embedded with the text

    bool hasMedia() const { return Pictures || (isHtml() && HtmlText(Text).hasMedia()); }

    QString plain() const
    {
        if (isHtml())
            return HtmlText(Text).plain();
        // A reference to a carriage return (&#13;) is a line end that XML
        // does not turn into a line feed.
        QStringList lines = QString(Text).replace(QLatin1Char('\r'), QLatin1Char('\n')).split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = BankText::trimBlanks(line);
        lines.removeAll(QString());
        return lines.join(QLatin1Char(' '));
    }

    // The learning system's own default ("moodle_auto_format") lets HTML
    // through, as does "html"; "plain_text" and "markdown" are read as
    // they stand.
    bool isHtml() const { return Format != QLatin1String("plain_text") && Format != QLatin1String("markdown"); }
};

struct Answer
{
    FormattedText Text;
    double Fraction = 0;
};

struct Question
{
    int Line = 0;
    QString Type;
    QString Name;
    FormattedText Text;
    QString Single = QStringLiteral("true");
    std::vector<Answer> Answers;
};

class Parser
{
public:
    Parser(const QByteArray& source, const QString& fileName)
        : Xml(source)
        , Source(source)
        , FileName(fileName)
    {
    }

    ImportedQuestions run()
    {
        if (!Xml.readNextStartElement())
        {
            if (Xml.hasError())
                failXml();
            fail(QStringLiteral("no <quiz> element: not a Moodle XML question file"));
        }
        if (Xml.name() != QLatin1String("quiz"))
            fail(QStringLiteral("<%1> where <quiz> belongs: not a Moodle XML question file").arg(Xml.name()));
        while (Xml.readNextStartElement()) {
            if (Xml.name() == QLatin1String("question"))
                question();
            else
                Xml.skipCurrentElement();
        }
        if (Xml.hasError())
            failXml();
        if (Count == 0)
            throw SourceError(FileName, 0, QStringLiteral("no questions"));
        return std::move(Out);
    }

private:
    // The reader's own error. Bytes that the declared encoding does not
    // hold (a file saved in code page 1251 that declares UTF-8) are named as
    // such, with the encoding and, for UTF-8, the first line they stand on
    // (the reader decodes ahead and names the line it was at).
    [[noreturn]] void failXml() const
    {
        if (Xml.error() != QXmlStreamReader::NotWellFormedError
            || !Xml.errorString().contains(QLatin1String("encod"), Qt::CaseInsensitive))
            fail(QStringLiteral("not well-formed XML: %1").arg(Xml.errorString()));
        const QString declared =
            Xml.documentEncoding().isEmpty() ? QStringLiteral("UTF-8") : Xml.documentEncoding().toString();
        int line = int(Xml.lineNumber());
        if (declared.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0
            || declared.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0) {
            const QList<QByteArray> lines = SourceLines::split(Source);
            for (qsizetype i = 0; i < lines.size(); ++i)
                if (!SourceLines::text(lines[i])) {
                    line = int(i) + 1;
                    break;
                }
        }
        throw SourceError(FileName, line,
                          QStringLiteral("the bytes do not match the encoding %1 the file declares: %2")
                              .arg(declared, Xml.errorString()));
    }

    [[noreturn]] void fail(const QString& reason) const
    {
        throw SourceError(FileName, int(Xml.lineNumber()), reason);
    }

    void question()
    {
        Question q;
        q.Line = int(Xml.lineNumber());
        q.Type = Xml.attributes().value(QLatin1String("type")).toString();
        while (Xml.readNextStartElement()) {
            const QStringView name = Xml.name();
            if (name == QLatin1String("name"))
                q.Name = nameText();
            else if (name == QLatin1String("questiontext"))
                q.Text = formattedText();
            else if (name == QLatin1String("single"))
                q.Single = Xml.readElementText().trimmed();
            else if (name == QLatin1String("answer"))
                q.Answers.push_back(answer());
            else
                Xml.skipCurrentElement();
        }
        if (Xml.hasError() || q.Type == QLatin1String("category"))
            return;
        ++Count;
        QuestionRecord record {};
        const QString reason = fault(q, record);
        if (reason.isEmpty())
            Out.Records.push_back(record);
        else
            Out.Skipped.push_back(SkippedQuestion{q.Line, Count, q.Name, reason});
    }

    Answer answer()
    {
        Answer a;
        const QString fraction = Xml.attributes().value(QLatin1String("fraction")).toString().trimmed();
        bool ok = false;
        a.Fraction = fraction.toDouble(&ok);
        if (!ok)
            a.Fraction = 0;
        a.Text = formattedText();
        return a;
    }

    // A question's name is plain text, whatever it looks like.
    QString nameText()
    {
        FormattedText name = formattedText();
        name.Format = QStringLiteral("plain_text");
        return name.plain();
    }

    // The element's format attribute and its <text>; <file> children are
    // pictures (or other files) the text shows; anything else (feedback)
    // is passed over.
    FormattedText formattedText()
    {
        FormattedText t;
        t.Format = Xml.attributes().value(QLatin1String("format")).toString();
        while (Xml.readNextStartElement()) {
            if (Xml.name() == QLatin1String("text")) {
                t.Text = Xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else {
                if (Xml.name() == QLatin1String("file"))
                    t.Pictures = true;
                Xml.skipCurrentElement();
            }
        }
        return t;
    }

    // Why the bank cannot hold the question, or an empty string and the
    // question's record.
    static QString fault(const Question& q, QuestionRecord& record)
    {
        if (q.Type != QLatin1String("multichoice"))
            return QStringLiteral("a \"%1\" question; the bank holds multiple-choice questions").arg(q.Type);
        if (q.Single != QLatin1String("true") && q.Single != QLatin1String("1"))
            return QStringLiteral("several answers may be chosen; the bank holds questions of one right answer");
        ChoiceQuestion choice { q.Text.plain(), q.Text.hasMedia(), {} };
        for (const Answer& a : q.Answers)
            choice.Choices.push_back({a.Text.plain(), a.Text.hasMedia(), a.Fraction});
        return choice.toRecord(record);
    }

    QXmlStreamReader Xml;
    const QByteArray& Source;
    const QString& FileName;
    ImportedQuestions Out;
    int Count = 0;
};

} // namespace

ImportedQuestions MoodleXmlReader::read(const QByteArray& source, const QString& fileName)
{
    return Parser(source, fileName).run();
}
