#include "admission/MoodleXmlWriter.h"

#include "admission/RecordText.h"

#include <QFileInfo>
#include <QXmlStreamWriter>

namespace {

constexpr qsizetype NameLength = 60;

QString checkedForXml(const RecordText& record, const QString& text, const QString& what)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            record.refuse(QStringLiteral("%1 has the control character U+%2 in it, which XML cannot carry")
                              .arg(what)
                              .arg(uint(c.unicode()), 4, 16, QLatin1Char('0')));
    return text;
}

void textElement(QXmlStreamWriter& xml, const QString& element, const QString& format, const QString& text)
{
    xml.writeStartElement(element);
    if (!format.isEmpty())
        xml.writeAttribute(QStringLiteral("format"), format);
    xml.writeTextElement(QStringLiteral("text"), text);
    xml.writeEndElement();
}

QString shortName(const QString& question)
{
    const QString simple = question.simplified();
    return simple.size() <= NameLength ? simple : simple.left(NameLength - 1).trimmed() + QChar(0x2026);
}

} // namespace

QByteArray MoodleXmlWriter::write(const std::vector<QuestionRecord>& records, const QString& bankName)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));

    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
    textElement(xml, QStringLiteral("category"), QString(),
                QStringLiteral("$course$/top/") + QFileInfo(bankName).completeBaseName());
    textElement(xml, QStringLiteral("info"), QStringLiteral("html"), QString());
    xml.writeEndElement();

    const QString plain = QStringLiteral("plain_text");
    for (size_t k = 0; k < records.size(); ++k) {
        const RecordText record(records[k], bankName, k);
        const int right = record.rightAnswer();
        const QString question = checkedForXml(record, record.question(), QStringLiteral("the question"));
        QString answers[4];
        for (int a = 1; a <= 4; ++a)
            answers[a - 1] = checkedForXml(record, record.nonEmptyAnswer(a), QStringLiteral("answer %1").arg(a));

        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("multichoice"));
        textElement(xml, QStringLiteral("name"), QString(), shortName(question));
        textElement(xml, QStringLiteral("questiontext"), plain, question);
        textElement(xml, QStringLiteral("generalfeedback"), plain, QString());
        xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
        xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
        xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
        for (const char* feedback : {"correctfeedback", "partiallycorrectfeedback", "incorrectfeedback"})
            textElement(xml, QString::fromLatin1(feedback), plain, QString());
        for (int a = 1; a <= 4; ++a) {
            xml.writeStartElement(QStringLiteral("answer"));
            xml.writeAttribute(QStringLiteral("fraction"), a == right ? QStringLiteral("100") : QStringLiteral("0"));
            xml.writeAttribute(QStringLiteral("format"), plain);
            xml.writeTextElement(QStringLiteral("text"), answers[a - 1]);
            textElement(xml, QStringLiteral("feedback"), plain, QString());
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}
