// oplab-data bank import / export / check, run as a separate program: the
// round trip of a bank, refused sources that leave the bank alone, the
// check's findings and the exit status of each outcome.
#include "admission/AikenReader.h"
#include "admission/BankImage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Fixture = QStringLiteral(OPLAB_SOURCE_DIR "/tests/tools/fixtures/questions.aiken.txt");
const QString Sources = QStringLiteral(OPLAB_SOURCE_DIR "/tests/admission/fixtures/");

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run oplabData(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(OPLAB_BINARY_DIR "/bin/oplab-data"), QStringList {"bank"} + args);
    Run run;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = p.exitCode();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class tst_BankCommand : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void importExportImportGivesTheSameBytes()
    {
        const QString bank = dir.filePath("Qest.txt");
        Run run = oplabData({"import", Fixture, bank});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, bank.toUtf8() + ": 4 questions\n");
        const QByteArray first = readFile(bank);
        QCOMPARE(first.size(), 4 * 1288);
        // The bytes are those of the reader: nothing in them varies.
        QCOMPARE(first, BankImage::bytes(AikenReader::read(readFile(Fixture), Fixture)));

        run = oplabData({"export", bank});
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.isEmpty());
        QVERIFY(run.out.startsWith("Что измеряют вольтметром V2"));
        QVERIFY(run.out.contains("\nA. Равным 0,0 В\n"));
        QVERIFY(!run.out.contains('\r'));
        const QString text = dir.filePath("exported.aiken.txt");
        writeFile(text, run.out);

        const QString again = dir.filePath("Qest1.txt");
        QCOMPARE(oplabData({"import", text, again}).status, 0);
        QCOMPARE(readFile(again), first);
    }

    void importsWhatTheLearningSystemsWrite_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<QByteArray>("lastError");
        QTest::newRow("aiken") << "lms.aiken.txt" << QStringList() << 0 << QByteArray(": 2 questions\n") << 0
                               << QByteArray();
        QTest::newRow("moodle xml") << "moodle-export.xml" << QStringList() << 1
                                    << QByteArray(": 2 questions, 5 skipped\n") << 5
                                    << QByteArray(":167: question 6 \"Минус\" skipped: the question: character U+2212 "
                                                  "\"−\" is not in code page 1251\n");
        QTest::newRow("gift") << "quiz.gift" << QStringList() << 1 << QByteArray(": 3 questions, 5 skipped\n") << 5
                              << QByteArray(":36: question 8 skipped: answer 4: character U+2212 \"−\" is not in code "
                                            "page 1251\n");
        QTest::newRow("strict") << "quiz.gift" << QStringList {"--strict"} << 2 << QByteArray() << 5
                                << QByteArray(": 5 questions the bank cannot hold; nothing imported (--strict)\n");
        QTest::newRow("format given") << "quiz.gift" << QStringList {"--format", "aiken"} << 2 << QByteArray() << 0
                                      << QByteArray(":37: missing option A; looks like GIFT: use --format gift\n");
    }
    void importsWhatTheLearningSystemsWrite()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(int, skipped);
        QFETCH(QByteArray, lastError);
        const QString bank = dir.filePath("Qest.txt");
        writeFile(bank, QByteArray(1288, '\x01'));
        const Run run = oplabData(QStringList {"import", Sources + source, bank} + options);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, out.isEmpty() ? out : bank.toUtf8() + out);
        QCOMPARE(run.err.count(" skipped: "), skipped);
        if (!lastError.isEmpty())
            QVERIFY2(run.err.endsWith(Sources.toUtf8() + source.toUtf8() + lastError), run.err.constData());
        // Nothing is written unless the import goes through.
        QCOMPARE(readFile(bank) == QByteArray(1288, '\x01'), status == 2);
    }

    void everyFormatRoundTrips_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("ending");
        QTest::newRow("aiken") << "aiken" << ".aiken";
        QTest::newRow("moodle xml") << "moodle-xml" << ".xml";
        QTest::newRow("gift") << "gift" << ".gift";
    }
    void everyFormatRoundTrips()
    {
        QFETCH(QString, format);
        QFETCH(QString, ending);
        const QString bank = dir.filePath("Qest.txt");
        QCOMPARE(oplabData({"import", Fixture, bank}).status, 0);
        const Run exported = oplabData({"export", bank, "--format", format});
        QCOMPARE(exported.status, 0);
        const QString text = dir.filePath("exported" + ending);
        writeFile(text, exported.out);
        const QString again = dir.filePath("again.txt");
        const Run imported = oplabData({"import", text, again});
        QCOMPARE(imported.status, 0);
        QVERIFY(imported.err.isEmpty());
        QCOMPARE(readFile(again), readFile(bank));
    }

    void importReplacesAnExistingBank()
    {
        const QString bank = dir.filePath("replaced.txt");
        writeFile(bank, QByteArray(3000, 'x'));
        QCOMPARE(oplabData({"import", Fixture, bank}).status, 0);
        QCOMPARE(readFile(bank).size(), 4 * 1288);
        QVERIFY(QFileInfo(bank).permissions() & QFile::WriteOwner);
    }

    void refusedSourceLeavesTheBankAlone_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("message");
        using B = QByteArray;
        const QByteArray good = "Вопрос\nA. 1\nB. 2\nC. 3\nD. 4\nANSWER: A\n\n";
        QTest::newRow("missing option") << good + "Вопрос\nA. 1\nB. 2\nD. 4\nANSWER: A\n"
                                        << B(":11: option D where option C belongs");
        QTest::newRow("fifth option") << good + "Вопрос\nA. 1\nB. 2\nC. 3\nD. 4\nE) 5\nANSWER: A\n"
                                      << B(":13: a fifth option \"E)\"; a question has four, A to D");
        QTest::newRow("missing letter") << good + QByteArray(good).replace("ANSWER: A", "ANSWER:")
                                        << B(":13: missing answer letter");
        QTest::newRow("unknown letter") << QByteArray(good).replace("ANSWER: A", "ANSWER: F")
                                        << B(":6: unknown answer letter \"F\"; use A, B, C or D");
        QTest::newRow("long text") << QByteArray(good).replace("C. 3", "C. " + QByteArray(300, 'c'))
                                   << B(":4: text of 300 bytes in code page 1251; a field holds 255");
        QTest::newRow("minus sign") << QByteArray(good).replace("B. 2", "B. \xE2\x88\x92" "2")
                                    << B(":3: character U+2212 \"\xE2\x88\x92\" is not in code page 1251");
        QTest::newRow("no questions") << QByteArray("\n\n") << B(": no questions");
    }
    void refusedSourceLeavesTheBankAlone()
    {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, message);
        const QString sourcePath = dir.filePath("broken.aiken.txt");
        writeFile(sourcePath, source);

        // An existing bank stays as it was...
        const QString bank = dir.filePath("Qest.txt");
        writeFile(bank, QByteArray(1288, '\x01'));
        const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        Run run = oplabData({"import", sourcePath, bank});
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err, "oplab-data: " + sourcePath.toUtf8() + message + "\n");
        QCOMPARE(readFile(bank), QByteArray(1288, '\x01'));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before); // no temporary left

        // ...and a missing one is not created.
        const QString absent = dir.filePath("absent.txt");
        QCOMPARE(oplabData({"import", sourcePath, absent}).status, 2);
        QVERIFY(!QFile::exists(absent));
    }

    void importRefusesAReadOnlyBank()
    {
        const QString bank = dir.filePath("locked.txt");
        writeFile(bank, QByteArray(1288, '\x02'));
        QVERIFY(QFile::setPermissions(bank, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const Run run = oplabData({"import", Fixture, bank});
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, "oplab-data: " + bank.toUtf8() + ": File access denied\n");
        QCOMPARE(readFile(bank), QByteArray(1288, '\x02'));
        // Reading it is fine.
        QCOMPARE(oplabData({"check", bank}).status, 1);
    }

    void checkReportsFaults()
    {
        const QString bank = dir.filePath("Qest.txt");
        QCOMPARE(oplabData({"import", Fixture, bank}).status, 0);
        Run run = oplabData({"check", bank});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, bank.toUtf8() + ": 4 questions, no faults\n");

        QByteArray bytes = readFile(bank);
        bytes[1288 + 4] = 9; // RightAnswer of record 1
        writeFile(bank, bytes + "tail");
        run = oplabData({"check", bank});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, bank.toUtf8() + ": record 1: right answer 9 is outside 1 to 4; no answer to it counts as right\n"
                          + bank.toUtf8() + ": 4 bytes after the last whole record: a partial record, never drawn\n");

        writeFile(bank, QByteArray());
        run = oplabData({"check", bank});
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.contains("no whole record"));
    }

    void exportOfDamagedBanks()
    {
        const QString bank = dir.filePath("Qest.txt");
        QCOMPARE(oplabData({"import", Fixture, bank}).status, 0);
        QByteArray bytes = readFile(bank);

        // A partial record is left out, and said so.
        writeFile(bank, bytes + QByteArray(10, '\0'));
        Run run = oplabData({"export", bank});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, "oplab-data: " + bank.toUtf8() + ": 10 bytes after the last whole record are not exported\n");
        QVERIFY(run.out.endsWith("ANSWER: A\n"));

        // A right answer that no letter stands for stops the export.
        bytes[2 * 1288 + 4] = 0;
        writeFile(bank, bytes);
        run = oplabData({"export", bank});
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, "oplab-data: " + bank.toUtf8() + ": record 2: right answer 0 is outside 1 to 4\n");
    }

    void errorsAndUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("error");
        const QString missing = QStringLiteral("/nonexistent/Qest.txt");
        QTest::newRow("export missing") << QStringList {"export", missing}
                                        << QByteArray("oplab-data: /nonexistent/Qest.txt: No such file or directory\n");
        QTest::newRow("check missing") << QStringList {"check", missing}
                                       << QByteArray("oplab-data: /nonexistent/Qest.txt: No such file or directory\n");
        QTest::newRow("import missing source") << QStringList {"import", missing, "out.txt"}
                                               << QByteArray("oplab-data: /nonexistent/Qest.txt: No such file or directory\n");
        QTest::newRow("folder") << QStringList {"check", QDir::tempPath()}
                                << "oplab-data: " + QDir::tempPath().toUtf8() + ": is a folder, not a file\n";
        const QByteArray usage = "oplab-data: usage: oplab-data bank import SOURCE BANK [--format aiken|moodle-xml|gift] "
                                 "[--strict] | bank export BANK [--format aiken|moodle-xml|gift] | bank check BANK\n";
        QTest::newRow("no action") << QStringList {} << usage;
        QTest::newRow("unknown action") << QStringList {"compile", "x"} << usage;
        QTest::newRow("too few") << QStringList {"import", "x"} << usage;
        QTest::newRow("too many") << QStringList {"export", "x", "y"} << usage;
        QTest::newRow("strict export") << QStringList {"export", "x", "--strict"} << usage;
        QTest::newRow("format of a check") << QStringList {"check", "x", "--format", "gift"} << usage;
        QTest::newRow("format without a name") << QStringList {"export", "x", "--format"} << usage;
        QTest::newRow("unknown format") << QStringList {"export", "x", "--format=csv"}
                                        << QByteArray("oplab-data: unknown format 'csv'; use aiken, moodle-xml or gift\n");
        QTest::newRow("unknown ending") << QStringList {"import", "questions.src", "Qest.txt"}
                                        << QByteArray("oplab-data: questions.src: the format is not known by the name's "
                                                      "ending (.txt, .aiken, .xml, .gift); give --format "
                                                      "aiken|moodle-xml|gift\n");
    }
    void errorsAndUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, error);
        const Run run = oplabData(args);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err, error);
    }

    void importIntoAMissingFolderFails()
    {
        const Run run = oplabData({"import", Fixture, dir.filePath("no/such/folder/Qest.txt")});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.startsWith("oplab-data: " + dir.filePath("no/such/folder/Qest.txt").toUtf8() + ": "));
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(tst_BankCommand)
#include "tst_BankCommand.moc"
