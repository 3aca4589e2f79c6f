// Question sources as the learning systems write them: an Aiken file with
// a byte order mark, CR LF and blank lines, a Moodle XML export and a GIFT
// file with categories, comments, titles, escapes and questions of other
// kinds. What the bank holds comes through byte for byte, the others are
// named with their reasons, and every format goes back and forth to the
// same bank bytes.
#include "admission/AikenReader.h"
#include "admission/BankFormat.h"
#include "admission/BankImage.h"
#include "admission/HtmlText.h"
#include "admission/SourceError.h"

#include <QFile>
#include <QtTest>

namespace {

QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(OPLAB_SOURCE_DIR "/tests/admission/fixtures/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The bank an Aiken fixture in the strict form gives.
QByteArray bankOf(const QString& aikenFixture)
{
    return BankImage::bytes(AikenReader::read(fixture(aikenFixture), aikenFixture));
}

} // namespace

class tst_QuestionSources : public QObject
{
    Q_OBJECT

private slots:
    void aikenAsTheLearningSystemsWriteIt()
    {
        const std::vector<QuestionRecord> records = AikenReader::read(fixture("lms.aiken.txt"), "lms.aiken.txt");
        QCOMPARE(BankImage::bytes(records), bankOf("lms.expected.aiken.txt"));
        // Exported again in the strict form.
        QCOMPARE(BankFormat::write(BankFormat::Aiken, records, "Qest.txt"), fixture("lms.expected.aiken.txt"));
    }

    void questionsTheBankHoldsComeThrough_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        QTest::newRow("moodle xml") << int(BankFormat::MoodleXml) << "moodle-export.xml"
                                    << "moodle-export.expected.aiken.txt";
        QTest::newRow("gift") << int(BankFormat::Gift) << "quiz.gift" << "quiz.expected.aiken.txt";
        // As the learning system exports: a description first, "\\n" and
        // "\\\\" in texts, answers on lines of their own.
        QTest::newRow("gift as exported") << int(BankFormat::Gift) << "moodle-export.gift"
                                          << "moodle-export.gift.expected.aiken.txt";
    }
    void questionsTheBankHoldsComeThrough()
    {
        QFETCH(int, format);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        const ImportedQuestions got = BankFormat::read(BankFormat::Kind(format), fixture(source), source);
        QCOMPARE(BankImage::bytes(got.Records), bankOf(expected));
    }

    void questionsTheBankCannotHoldAreNamed_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("moodle xml") << int(BankFormat::MoodleXml) << "moodle-export.xml" << QStringList {
            "moodle-export.xml:71: question 2 \"Идеальный ОУ\" skipped: a \"truefalse\" question; the bank holds "
            "multiple-choice questions",
            "moodle-export.xml:100: question 3 \"Параметры входа\" skipped: several answers may be chosen; the bank "
            "holds questions of one right answer",
            "moodle-export.xml:136: question 4 \"Схема включения\" skipped: a picture in the question; the bank "
            "holds text only",
            "moodle-export.xml:152: question 5 \"Три ответа\" skipped: 3 answers; the bank holds questions of four",
            "moodle-export.xml:167: question 6 \"Минус\" skipped: the question: character U+2212 \"−\" is not in "
            "code page 1251",
        };
        QTest::newRow("gift") << int(BankFormat::Gift) << "quiz.gift" << QStringList {
            "quiz.gift:16: question 3 \"Идеальный ОУ\" skipped: a true/false question; the bank holds "
            "multiple-choice questions",
            "quiz.gift:18: question 4 \"Несколько\" skipped: 2 answers earn marks; the bank holds questions of one "
            "right answer",
            "quiz.gift:25: question 5 skipped: 3 answers; the bank holds questions of four",
            "quiz.gift:34: question 7 \"Число\" skipped: a numerical question; the bank holds multiple-choice "
            "questions",
            "quiz.gift:36: question 8 skipped: answer 4: character U+2212 \"−\" is not in code page 1251",
        };
    }
    void questionsTheBankCannotHoldAreNamed()
    {
        QFETCH(int, format);
        QFETCH(QString, source);
        QFETCH(QStringList, messages);
        QStringList got;
        for (const SkippedQuestion& s : BankFormat::read(BankFormat::Kind(format), fixture(source), source).Skipped)
            got << s.message(source);
        QCOMPARE(got, messages);
    }

    void giftQuestionsOfEveryOtherKindAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("question");
        QTest::addColumn<QString>("reason");
        QTest::newRow("short answer") << QByteArray("Q {=a =b}") << "a short-answer question";
        QTest::newRow("matching") << QByteArray("Q {=a -> 1 =b -> 2}") << "a matching question";
        QTest::newRow("essay") << QByteArray("Q {}") << "an essay question";
        QTest::newRow("false") << QByteArray("Q {FALSE#нет}") << "a true/false question";
        QTest::newRow("missing word") << QByteArray("Q {=a ~b ~c ~d} end")
                                      << "a missing-word question (text after the answers)";
        QTest::newRow("no full marks") << QByteArray("Q {~%50%a ~b ~c ~d}") << "no answer earns full marks";
        QTest::newRow("five answers") << QByteArray("Q {=a ~b ~c ~d ~e}") << "5 answers";
        QTest::newRow("picture") << QByteArray("Q {=<img src\\=x.png> ~b ~c ~d}") << "a picture in answer 1";
        QTest::newRow("description") << QByteArray("::Указания::[html]<p>Ответьте на вопросы</p>")
                                     << "a description (no answers)";
        QTest::newRow("long") << "Q {=" + QByteArray(256, 'x') + " ~b ~c ~d}"
                              << "answer 1: text of 256 bytes in code page 1251; a field holds 255";
    }
    void giftQuestionsOfEveryOtherKindAreSkipped()
    {
        QFETCH(QByteArray, question);
        QFETCH(QString, reason);
        const ImportedQuestions got = BankFormat::read(BankFormat::Gift, "ok {=a ~b ~c ~d}\n\n" + question, "q.gift");
        QCOMPARE(got.Records.size(), size_t(1));
        QCOMPARE(got.Skipped.size(), size_t(1));
        QVERIFY2(got.Skipped[0].Reason.startsWith(reason), qPrintable(got.Skipped[0].Reason));
    }

    void moodleQuestionsOfEveryOtherKindAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("inside");
        QTest::addColumn<QString>("reason");
        const QByteArray rest = "<answer fraction=\"0\"><text>b</text></answer><answer fraction=\"0\"><text>c</text>"
                                "</answer><answer fraction=\"0\"><text>d</text></answer>";
        QTest::newRow("part marks") << "<answer fraction=\"50\"><text>a</text></answer>" + rest
                                    << "no answer earns full marks";
        QTest::newRow("two right") << "<answer fraction=\"100\"><text>a</text></answer>" + QByteArray(rest).replace(
                                          "\"0\"><text>b", "\"100\"><text>b")
                                   << "2 answers earn marks";
        QTest::newRow("picture in an answer")
            << "<answer fraction=\"100\"><text>a</text><file name=\"a.png\">AA==</file></answer>" + rest
            << "a picture in answer 1";
        QTest::newRow("five answers") << "<answer fraction=\"100\"><text>a</text></answer>" + rest + "<answer><text>e</text></answer>"
                                      << "5 answers";
        QTest::newRow("no text") << "<answer fraction=\"100\"><text>a</text></answer>" + rest + "<!-- -->"
                                 << "the question has no text";
    }
    void moodleQuestionsOfEveryOtherKindAreSkipped()
    {
        QFETCH(QByteArray, inside);
        QFETCH(QString, reason);
        // A picture in feedback, and no <single> (true when left out), are
        // no reason to leave a question out.
        const QByteArray good = "<question type=\"multichoice\"><questiontext><text>Q</text></questiontext>"
                                "<answer fraction=\"100.0000000\"><text>a</text><feedback><text/><file/></feedback>"
                                "</answer><answer fraction=\"-25\"><text>b</text></answer><answer fraction=\"0\">"
                                "<text>c</text></answer><answer fraction=\"0\"><text>d</text></answer></question>";
        const QByteArray text = inside.endsWith("<!-- -->") ? "" : "<questiontext><text>Q</text></questiontext>";
        const QByteArray quiz = "<quiz>" + good + "<question type=\"multichoice\">" + text + inside + "</question></quiz>";
        const ImportedQuestions got = BankFormat::read(BankFormat::MoodleXml, quiz, "q.xml");
        QCOMPARE(got.Records.size(), size_t(1));
        QCOMPARE(got.Skipped.size(), size_t(1));
        QVERIFY2(got.Skipped[0].Reason.startsWith(reason), qPrintable(got.Skipped[0].Reason));
    }

    void sourcesThatAreNotTheFormatAreRefused_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("message");
        const int xml = BankFormat::MoodleXml;
        const int gift = BankFormat::Gift;
        QTest::newRow("xml cut off") << xml << QByteArray("<quiz>\n<question type=\"multichoice\">\n")
                                     << "s:3: not well-formed XML: Premature end of document.";
        QTest::newRow("xml not a quiz") << xml << QByteArray("<html/>")
                                        << "s:1: <html> where <quiz> belongs: not a Moodle XML question file";
        QTest::newRow("xml only a category")
            << xml << QByteArray("<quiz><question type=\"category\"/></quiz>") << "s: no questions";
        QTest::newRow("gift unclosed") << gift << QByteArray("Q1 {=a ~b ~c ~d}\n\n// c\nQ2 {\n=a\n\n~b\n")
                                       << "s:4: no \"}\" closes the answers opened here";
        QTest::newRow("gift no answers") << gift << QByteArray("Q1 {=a ~b ~c ~d}\n\nQ2\nmore\n")
                                         << "s:3: a question without its answers in \"{...}\"";
        QTest::newRow("gift title") << gift << QByteArray("::T: Q {=a ~b ~c ~d}")
                                    << "s:1: the title opened with \"::\" is not closed";
        QTest::newRow("gift not utf-8") << gift << QByteArray("Q {=a ~b ~c ~\xE4}") << "s:1: not valid UTF-8";
        QTest::newRow("gift comments only") << gift << QByteArray("// c\n$CATEGORY: x\n") << "s: no questions";
        QTest::newRow("gift a backslash before a brace")
            << gift << QByteArray("Q \\\\{=a ~b ~c ~d}\n\nR \\\\{")
            << "s:3: no \"}\" closes the answers opened here";
        QTest::newRow("xml not in its declared encoding")
            << xml << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n<question type=\"multichoice\">"
                                 "<name><text>\xC2\xEE\xEF\xF0\xEE\xF1</text></name></question></quiz>")
            << "s:3: the bytes do not match the encoding UTF-8 the file declares: Encountered incorrectly encoded content.";
        QTest::newRow("xml not in its declared encoding at once")
            << xml << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz name=\"\xC2\">")
            << "s:2: the bytes do not match the encoding UTF-8 the file declares: Encountered incorrectly encoded content.";
        QTest::newRow("gift read as aiken")
            << int(BankFormat::Aiken) << QByteArray("// question: 1\n::T::Q {\n=a\n~b\n~c\n~d\n}\n")
            << "s:8: missing option A; looks like GIFT: use --format gift";
        QTest::newRow("aiken fault that is not gift")
            << int(BankFormat::Aiken) << QByteArray("Q\nA. a\nB. b\nANSWER: C\n") << "s:4: missing option C";
    }
    void sourcesThatAreNotTheFormatAreRefused()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, source);
        QFETCH(QString, message);
        try {
            BankFormat::read(BankFormat::Kind(format), source, "s");
            QFAIL("the source was read");
        } catch (const SourceError& e) {
            QCOMPARE(e.message(), message);
        }
    }

    void htmlBecomesOneLineOfText_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<bool>("media");
        QTest::newRow("paragraphs") << "<p>Один</p>\n<p>два<br/>три</p>" << "Один два три" << false;
        QTest::newRow("inline tags") << "U<sub>вх</sub> = <b>0</b>" << "Uвх = 0" << false;
        QTest::newRow("references") << "&lt;&amp;&gt;&quot;&#1046;&#x416;&laquo;&deg;&Omega;&nbsp;!"
                                    << QString::fromUtf8("<&>\"ЖЖ«°Ω\u00A0!") << false;
        QTest::newRow("not references") << "a & b &nosuch; &#xZZ; &#0;" << QString::fromUtf8("a & b &nosuch; &#xZZ; \uFFFD")
                                        << false;
        // As a browser shows them: white space, nothing, the office dash.
        QTest::newRow("references to controls") << "a&#10;b&#1;c&#150;d" << QString::fromUtf8("a bc\u2013d") << false;
        QTest::newRow("white space") << "  a \t\r\n  b  " << "a b" << false;
        QTest::newRow("comment, script, style") << "a<!-- x --><script>if (a<b) c()</script><style>p{}</style>b"
                                                << "ab" << false;
        QTest::newRow("quoted >") << "<span title=\"a>b\">c</span>" << "c" << false;
        QTest::newRow("lone <") << "a < b" << "a < b" << false;
        QTest::newRow("picture") << "<p>схема<IMG SRC='a.png'></p>" << "схема" << true;
        QTest::newRow("cut off tag") << "a<b" << "a" << false;
    }
    void htmlBecomesOneLineOfText()
    {
        QFETCH(QString, html);
        QFETCH(QString, plain);
        QFETCH(bool, media);
        const HtmlText text(html);
        QCOMPARE(text.plain(), plain);
        QCOMPARE(text.hasMedia(), media);
    }

    void everyFormatGoesBackAndForthToTheSameBank_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("aiken") << int(BankFormat::Aiken);
        QTest::newRow("moodle xml") << int(BankFormat::MoodleXml);
        QTest::newRow("gift") << int(BankFormat::Gift);
    }
    void everyFormatGoesBackAndForthToTheSameBank()
    {
        QFETCH(int, format);
        const auto kind = BankFormat::Kind(format);
        // Texts that each format has to take care with: its own special
        // characters, markup, a backslash before a brace, a would-be weight,
        // a no-break space at the head, a picture tag kept as text.
        const std::vector<QuestionRecord> records = AikenReader::read(
            fixture("quiz.expected.aiken.txt") + "\n" + fixture("moodle-export.expected.aiken.txt")
                + "\n// [html] <p>a&amp;b</p> \\\nA. 1\nB. %50% \\{ ::x:: ~=# C:\\new\nC. 3\nD. 4\nANSWER: B\n"
                + "\n\u00A0x\nA. <img src=x>\nB. b\nC. c\nD. d\nANSWER: A\n",
            "q");        const QByteArray bank = BankImage::bytes(records);
        const QByteArray text = BankFormat::write(kind, records, "Qest.txt");
        const ImportedQuestions again = BankFormat::read(kind, text, "exported");
        QVERIFY(again.Skipped.empty());
        QCOMPARE(BankImage::bytes(again.Records), bank);
    }
};

QTEST_GUILESS_MAIN(tst_QuestionSources)
#include "tst_QuestionSources.moc"
