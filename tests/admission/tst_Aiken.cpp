// Aiken sources to bank records and back: what the reader accepts and the
// exact bytes it makes, each kind of refused source with its line number,
// the writer's text and its refusals, and the bank check's findings.
#include "admission/AikenError.h"
#include "admission/AikenReader.h"
#include "admission/AikenWriter.h"
#include "admission/BankCheck.h"
#include "admission/BankImage.h"

#include <QtTest>

#include <cstring>

namespace {

const QString Source = QStringLiteral("source.aiken.txt");

// One well-formed question: the question line, four options and the answer.
QByteArray question(const QByteArray& text = "Вопрос", const QByteArray& answer = "ANSWER: B")
{
    return text + "\nA. один\nB. два\nC. три\nD. четыре\n" + answer + "\n";
}

QString refusal(const QByteArray& source, int* line = nullptr)
{
    try {
        AikenReader::read(source, Source);
    } catch (const AikenError& e) {
        if (line)
            *line = e.line();
        return e.message();
    }
    return QString();
}

// Whether every byte of the field behind its counted characters is zero.
bool restIsZero(const ShortString<255>& field)
{
    for (int i = field.length(); i < 255; ++i)
        if (field.Chars[i] != 0)
            return false;
    return true;
}

} // namespace

class tst_Aiken : public QObject
{
    Q_OBJECT

private slots:
    void readsQuestionsIntoZeroedRecords()
    {
        // A byte order mark, CRLF line ends, both option forms, blanks
        // around the texts and several blank lines between questions.
        const QByteArray source =
            "\xEF\xBB\xBF"
            "Чему равно входное сопротивление?\r\n"
            "A) 0 Ом\r\n"
            "B)   бесконечности  \r\n"
            "C) 1 кОм\r\n"
            "D) 50 Ом\r\n"
            "ANSWER: B\r\n"
            "\r\n"
            "   \r\n"
            "  Второй вопрос\t\r\n"
            "A. а\r\n"
            "B.б\r\n"
            "C. в\r\n"
            "D.\r\n"
            "ANSWER:D";
        const std::vector<QuestionRecord> records = AikenReader::read(source, Source);
        QCOMPARE(records.size(), size_t(2));

        const QuestionRecord& first = records[0];
        QCOMPARE(first.RightAnswer, 2);
        QCOMPARE(first.Question.text(), QStringLiteral("Чему равно входное сопротивление?"));
        QCOMPARE(first.Answer1.bytes(), QByteArray("0 \xCE\xEC")); // code page 1251
        QCOMPARE(first.Answer2.text(), QStringLiteral("бесконечности"));
        QCOMPARE(first.Answer4.text(), QStringLiteral("50 Ом"));

        const QuestionRecord& second = records[1];
        QCOMPARE(second.RightAnswer, 4);
        QCOMPARE(second.Question.text(), QStringLiteral("Второй вопрос"));
        QCOMPARE(second.Answer2.text(), QStringLiteral("б"));
        QCOMPARE(second.Answer4.length(), 0);

        for (const QuestionRecord& r : records) {
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(r.Reserved), 4), QByteArray(4, '\0'));
            QVERIFY(restIsZero(r.Question));
            for (int a = 1; a <= 4; ++a)
                QVERIFY(restIsZero(r.answer(a)));
        }
    }

    void answerLettersGiveRightAnswers()
    {
        QByteArray source;
        for (const char* letter : {"A", "B", "C", "D"})
            source += question("Вопрос", QByteArray("ANSWER: ") + letter) + "\n";
        const std::vector<QuestionRecord> records = AikenReader::read(source, Source);
        QCOMPARE(records.size(), size_t(4));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(records[size_t(i)].RightAnswer, i + 1);
    }

    void textLimitCountsCodePageBytes()
    {
        // 255 Cyrillic letters are 510 bytes of UTF-8 but fill the field
        // exactly; one more is refused.
        const QByteArray full = QString(255, QChar(u'ж')).toUtf8();
        const std::vector<QuestionRecord> records = AikenReader::read(question(full), Source);
        QCOMPARE(records[0].Question.length(), 255);
        QCOMPARE(records[0].Question.bytes(), QByteArray(255, '\xE6'));

        int line = 0;
        QCOMPARE(refusal(question(full + "ж"), &line),
                 Source + QStringLiteral(":1: text of 256 bytes in code page 1251; a field holds 255"));
        QCOMPARE(line, 1);
        const QByteArray longOption = "Вопрос\nA. " + QByteArray(256, 'x') + "\nB. b\nC. c\nD. d\nANSWER: A\n";
        QVERIFY(refusal(longOption, &line).contains("256 bytes"));
        QCOMPARE(line, 2);
    }

    void refusesBrokenSources_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");

        QTest::newRow("missing option")
            << QByteArray("Вопрос\nA. 1\nB. 2\nC. 3\nANSWER: A\n") << 5 << "missing option D";
        QTest::newRow("option out of order")
            << QByteArray("Вопрос\nA. 1\nC. 3\nB. 2\nD. 4\nANSWER: A\n") << 3 << "option C where option B belongs";
        QTest::newRow("source ends after option A")
            << QByteArray("Вопрос\n\nA. 1\n\n") << 4 << "missing option B";
        QTest::newRow("option B first")
            << QByteArray("Вопрос\nпродолжение\nB. 1\n") << 3 << "option B where option A belongs";
        QTest::newRow("answer line before the options")
            << QByteArray("Вопрос\n\nANSWER: A\n") << 3 << "missing option A";
        QTest::newRow("source ends in the question")
            << QByteArray("Вопрос\nпродолжение\n\n") << 3 << "missing option A";
        QTest::newRow("fifth option")
            << QByteArray("Вопрос\nA. 1\nB. 2\nC. 3\nD. 4\nE. 5\nANSWER: A\n") << 6
            << "a fifth option \"E.\"; a question has four, A to D";
        QTest::newRow("missing answer line")
            << QByteArray("Вопрос\nA. 1\nB. 2\nC. 3\nD. 4\n\n") << 6 << "missing \"ANSWER: X\" line";
        QTest::newRow("source ends before the answer")
            << QByteArray("Вопрос\nA. 1\nB. 2\nC. 3\nD. 4\n") << 6 << "missing \"ANSWER: X\" line";
        QTest::newRow("source ends inside the options")
            << QByteArray("Вопрос\nA. 1\nB. 2") << 4 << "missing option C";
        QTest::newRow("missing answer letter")
            << question("Вопрос", "ANSWER:   ") << 6 << "missing answer letter";
        QTest::newRow("unknown answer letter")
            << question("Вопрос", "ANSWER: E") << 6 << "unknown answer letter \"E\"; use A, B, C or D";
        QTest::newRow("lower-case answer letter")
            << question("Вопрос", "ANSWER: b") << 6 << "unknown answer letter \"b\"; use A, B, C or D";
        QTest::newRow("two answer letters")
            << question("Вопрос", "ANSWER: AB") << 6 << "unknown answer letter \"AB\"; use A, B, C or D";
        QTest::newRow("answer without a question")
            << (question() + "\nANSWER: A\n") << 8 << "\"ANSWER:\" line without a question";
        QTest::newRow("character outside the code page")
            << question("Напряжение \xE2\x88\x92" "5 В") << 1
            << "character U+2212 \"\xE2\x88\x92\" is not in code page 1251";
        QTest::newRow("character beyond 16 bits")
            << question("Вопрос", "ANSWER: A").replace("два", "\xF0\x9F\x98\x80")
            << 3 << "character U+1F600 \"\xF0\x9F\x98\x80\" is not in code page 1251";
        QTest::newRow("invisible character")
            << question("\xEF\xBB\xBFВопрос").prepend("\n") << 2
            << "character U+FEFF is not in code page 1251";
        QTest::newRow("not UTF-8")
            << question("\xC2\xE2\xEE\xE4") << 1 << "not valid UTF-8";
        // A lone carriage return ends a line, as older editors write it.
        QTest::newRow("carriage return inside an answer")
            << question("Вопрос").replace("два", "д\rва") << 4 << "missing option C";
        QTest::newRow("no questions")
            << QByteArray("\xEF\xBB\xBF\r\n\r\n") << 0 << "no questions";
        QTest::newRow("empty source") << QByteArray() << 0 << "no questions";
        // Line numbers go on counting through CRLF ends and earlier questions.
        QTest::newRow("fault in a later question")
            << (question().replace("\n", "\r\n") + "\r\n" + question("Второй", "ANSWER: X")) << 13
            << "unknown answer letter \"X\"; use A, B, C or D";
    }
    void refusesBrokenSources()
    {
        QFETCH(QByteArray, source);
        QFETCH(int, line);
        QFETCH(QString, reason);
        try {
            AikenReader::read(source, Source);
            QFAIL("the source was accepted");
        } catch (const AikenError& e) {
            QCOMPARE(e.reason(), reason);
            QCOMPARE(e.line(), line);
            QCOMPARE(e.fileName(), Source);
            QCOMPARE(e.message(), line > 0 ? QStringLiteral("%1:%2: %3").arg(Source).arg(line).arg(reason)
                                           : QStringLiteral("%1: %2").arg(Source, reason));
        }
    }

    void writesTheFormatBack()
    {
        QByteArray source = question("Первый вопрос", "ANSWER: D") + "\n" + question("Второй вопрос", "ANSWER: A");
        source.replace("B. два", "B.");
        const std::vector<QuestionRecord> records = AikenReader::read(source, Source);
        const QByteArray text = AikenWriter::write(records, "Qest.txt");
        QCOMPARE(text, QByteArray("Первый вопрос\nA. один\nB.\nC. три\nD. четыре\nANSWER: D\n"
                                  "\n"
                                  "Второй вопрос\nA. один\nB.\nC. три\nD. четыре\nANSWER: A\n"));
        // Back again, byte for byte the same records.
        QCOMPARE(BankImage::bytes(AikenReader::read(text, Source)), BankImage::bytes(records));
    }

    void exportSkipsWhatTheBenchIgnores()
    {
        // Junk in Reserved and behind the texts, as in a bank written by
        // some other means, is not part of the text.
        QuestionRecord r;
        std::memset(&r, 0x5A, sizeof r);
        r.RightAnswer = 3;
        r.Question.set(QStringLiteral("В"));
        for (int a = 1; a <= 4; ++a)
            r.answer(a).set(QString::number(a));
        QCOMPARE(AikenWriter::write({r}, "Qest.txt"), QByteArray("В\nA. 1\nB. 2\nC. 3\nD. 4\nANSWER: C\n"));
    }

    void exportRefusesWhatTheFormatCannotHold_data()
    {
        QTest::addColumn<int>("rightAnswer");
        QTest::addColumn<QString>("questionText");
        QTest::addColumn<QString>("answer3");
        QTest::addColumn<QString>("message");
        QTest::newRow("right answer 0") << 0 << "Вопрос" << "3"
                                        << "Qest.txt: record 1: right answer 0 is outside 1 to 4";
        QTest::newRow("right answer 5") << 5 << "Вопрос" << "3"
                                        << "Qest.txt: record 1: right answer 5 is outside 1 to 4";
        QTest::newRow("empty question") << 1 << " " << "3" << "Qest.txt: record 1: the question is empty";
        QTest::newRow("question read as an answer line")
            << 1 << " ANSWER: B" << "3"
            << "Qest.txt: record 1: the question begins with \"ANSWER:\", which the text format reads as an answer line";
        QTest::newRow("line break in question") << 1 << "Во\nпрос" << "3"
                                                << "Qest.txt: record 1: the question has a line break in it";
        QTest::newRow("line break in answer") << 1 << "Вопрос" << "3\r"
                                              << "Qest.txt: record 1: answer 3 has a line break in it";
    }
    void exportRefusesWhatTheFormatCannotHold()
    {
        QFETCH(int, rightAnswer);
        QFETCH(QString, questionText);
        QFETCH(QString, answer3);
        QFETCH(QString, message);
        std::vector<QuestionRecord> records = AikenReader::read(question() + question(), Source);
        records[1].RightAnswer = rightAnswer;
        records[1].Question.set(questionText);
        records[1].Answer3.set(answer3);
        try {
            AikenWriter::write(records, "Qest.txt");
            QFAIL("the bank was exported");
        } catch (const Exception& e) {
            QCOMPARE(e.message(), message);
        }
    }

    void checkFindsFaults()
    {
        std::vector<QuestionRecord> records = AikenReader::read(question() + question() + question(), Source);
        QCOMPARE(BankCheck::findings(BankImage::bytes(records)), QStringList());

        records[0].RightAnswer = 0;
        records[2].RightAnswer = -7;
        QByteArray bank = BankImage::bytes(records) + QByteArray(100, 'x');
        QCOMPARE(BankCheck::findings(bank), (QStringList {
            "record 0: right answer 0 is outside 1 to 4; no answer to it counts as right",
            "record 2: right answer -7 is outside 1 to 4; no answer to it counts as right",
            "100 bytes after the last whole record: a partial record, never drawn",
        }));

        QCOMPARE(BankCheck::findings(QByteArray()), (QStringList {
            "no whole record: the draw fails with \"Read beyond end of file\"",
        }));
        QCOMPARE(BankCheck::findings(QByteArray(1287, '\0')), (QStringList {
            "1287 bytes after the last whole record: a partial record, never drawn",
            "no whole record: the draw fails with \"Read beyond end of file\"",
        }));
    }
};

QTEST_GUILESS_MAIN(tst_Aiken)
#include "tst_Aiken.moc"
