// oplab-data lab init and lab check, run as the administrator runs them:
// a folder laid out from the template (found beside the program, as in an
// installed one) checks clean; init never overwrites what is there unless
// told, and never the journal; check finds each kind of fault of a
// prepared folder, one failed line for it.
#include "support/ForeignLock.h"
#include "support/JournalFixture.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

ToolRun oplabData(const QStringList& args, const QByteArray& refuseLocks = QByteArray())
{
    return runTool(QStringLiteral(OPLAB_DATA_TOOL), args, [&](QProcess& p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!refuseLocks.isEmpty()) {
            env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(REFUSE_LOCKS));
            env.insert(QStringLiteral("OPLAB_REFUSE_LOCKS"), QString::fromLatin1(refuseLocks));
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
        }
        p.setProcessEnvironment(env);
    });
}

const QString Template = QStringLiteral(OPLAB_BINARY_DIR "/share/oplab/lab");

} // namespace

class tst_LabCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void initLaysOutAFolderThatChecksClean();
    void initNeverOverwritesWithoutForceNorTheJournalWithIt();
    void checkFindsEachFault_data();
    void checkFindsEachFault();
    void checkTellsWhenOnlyTheLockFileWorks();
    void checkWhileABenchHoldsTheJournal();
    void initRefusesWhatItCannotDo_data();
    void initRefusesWhatItCannotDo();

private:
    QTemporaryDir Dir;
    QString Lab;
};

void tst_LabCommand::init()
{
    QVERIFY(Dir.isValid());
    Lab = Dir.filePath(QStringLiteral("lab-%1").arg(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
    QDir(Lab).removeRecursively();
}

void tst_LabCommand::initLaysOutAFolderThatChecksClean()
{
    const QString nested = Lab + QStringLiteral("/group/lab");
    const ToolRun made = oplabData({ QStringLiteral("lab"), QStringLiteral("init"), nested });
    QCOMPARE(made.Status, 0);
    const QStringList files = QDir(Template).entryList(QDir::Files);
    QVERIFY(files.contains(QStringLiteral("Qest.txt")) && files.contains(QStringLiteral("1.rtf")));
    // The answer keys in plain text stay with the installed data.
    QCOMPARE(QDir(Template).entryList({ QStringLiteral("*aiken*") }, QDir::Files), QStringList());
    QCOMPARE(QDir(Template + QStringLiteral("/../sources")).entryList(QDir::Files),
             QStringList({ QStringLiteral("Qest.aiken.txt"), QStringLiteral("Qest1.aiken.txt") }));
    QCOMPARE(QDir(nested).entryList(QDir::Files), files);
    for (const QString& name : files)
        QCOMPARE(readFile(nested + QLatin1Char('/') + name), readFile(Template + QLatin1Char('/') + name));

    const ToolRun checked = oplabData({ QStringLiteral("lab"), QStringLiteral("check"), nested });
    QCOMPARE(checked.failedLines(), QStringList());
    QCOMPARE(checked.Status, 0);
    QVERIFY2(checked.Out.endsWith(QStringLiteral(", не пройдено: 0\n")), qPrintable(checked.Out));
    // The scratch file of the lock test is gone again.
    QCOMPARE(QDir(nested).entryList(QDir::Files | QDir::Hidden), files);
}

void tst_LabCommand::initNeverOverwritesWithoutForceNorTheJournalWithIt()
{
    QVERIFY(QDir().mkpath(Lab));
    const QByteArray bank = "an instructor's own bank";
    const QByteArray journal = record(QStringLiteral("Иванов"), "1");
    writeFile(Lab + QStringLiteral("/Qest1.txt"), bank);
    writeFile(Lab + QStringLiteral("/Students.DAT"), journal);

    const ToolRun refused = oplabData({ QStringLiteral("lab"), QStringLiteral("init"), Lab });
    QCOMPARE(refused.Status, 2);
    QVERIFY2(refused.Err.contains(QStringLiteral("already holds Qest1.txt;")), qPrintable(refused.Err));
    QCOMPARE(QDir(Lab).entryList(QDir::Files), QStringList({ QStringLiteral("Qest1.txt"), QStringLiteral("Students.DAT") }));
    QCOMPARE(readFile(Lab + QStringLiteral("/Qest1.txt")), bank);

    const ToolRun forced = oplabData({ QStringLiteral("lab"), QStringLiteral("init"), QStringLiteral("--force"), Lab });
    QCOMPARE(forced.Status, 0);
    QVERIFY(forced.Out.contains(QStringLiteral("журнал Students.DAT оставлен как был")));
    QCOMPARE(readFile(Lab + QStringLiteral("/Qest1.txt")), readFile(Template + QStringLiteral("/Qest1.txt")));
    QCOMPARE(readFile(Lab + QStringLiteral("/Students.DAT")), journal);
}

void tst_LabCommand::checkFindsEachFault_data()
{
    // A fault made in a sound folder, and the failed line it must give.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes"); // empty: the file is removed
    QTest::addColumn<QString>("line");

    const QByteArray bank = readFile(Template + QStringLiteral("/Qest.txt"));
    QTest::newRow("no theory page") << "1.htm" << QByteArray() << "✗ 1.htm (страница теории): нет файла";
    QTest::newRow("a picture missing") << "1.htm" << QByteArray("<p><img src=\"schema.png\"></p>")
                                       << "✗ 1.htm: нет рисунков: schema.png";
    QTest::newRow("instructions not RTF") << "1.rtf" << QByteArray("plain text")
                                          << "✗ 1.rtf (методические указания): не документ RTF";
    QTest::newRow("no second bank") << "Qest1.txt" << QByteArray() << "✗ Qest1.txt (вопросы 6-10): нет файла";
    QTest::newRow("too few questions") << "Qest.txt" << bank.left(3 * 1288)
                                       << "✗ Qest.txt (вопросы 1-5): вопросов 3, а тест берёт из банка 5";
    QTest::newRow("a bank with a fault") << "Qest.txt" << bank.left(6 * 1288 + 100)
                                         << "✗ Qest.txt (вопросы 1-5): вопросов 6, замечаний 1";
    QTest::newRow("a damaged journal") << "Students.DAT" << record(QStringLiteral("А"), "1") + record(QStringLiteral("Б"), "x")
                                       << "✗ Students.DAT (журнал): записей: 2, замечаний: 1";
}

void tst_LabCommand::checkFindsEachFault()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, line);
    QCOMPARE(oplabData({ QStringLiteral("lab"), QStringLiteral("init"), Lab }).Status, 0);
    if (bytes.isEmpty())
        QVERIFY(QFile::remove(Lab + QLatin1Char('/') + file));
    else
        writeFile(Lab + QLatin1Char('/') + file, bytes);

    const ToolRun checked = oplabData({ QStringLiteral("lab"), QStringLiteral("check"), Lab });
    QCOMPARE(checked.Status, 1);
    const QStringList failed = checked.failedLines();
    QCOMPARE(failed.size(), 1);
    QVERIFY2(failed[0].startsWith(line), qPrintable(failed[0]));
}

void tst_LabCommand::checkTellsWhenOnlyTheLockFileWorks()
{
    QCOMPARE(oplabData({ QStringLiteral("lab"), QStringLiteral("init"), Lab }).Status, 0);
    // A journal made read-only on purpose fails registration on a bench.
    writeFile(Lab + QStringLiteral("/Students.DAT"), record(QStringLiteral("А"), "1"));
    QFile::setPermissions(Lab + QStringLiteral("/Students.DAT"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    const ToolRun checked = oplabData({ QStringLiteral("lab"), QStringLiteral("check"), Lab }, "ENOLCK");
    QCOMPARE(checked.Status, 1);
    QVERIFY2(checked.Out.contains(QStringLiteral("блокировок записей нет (ENOLCK), журнал защищает файл блокировки "
                                                 "Students.DAT.locks/lock\n")),
             qPrintable(checked.Out));
    const QStringList failed = checked.failedLines();
    QCOMPARE(failed.size(), 1);
    QVERIFY2(failed[0].contains(QStringLiteral("не может его записать")), qPrintable(failed[0]));
}

void tst_LabCommand::checkWhileABenchHoldsTheJournal()
{
    // A bench holds the journal for the whole check: its reading waits in
    // vain, but the lock met is a record lock that works.
    QCOMPARE(oplabData({ QStringLiteral("lab"), QStringLiteral("init"), Lab }).Status, 0);
    writeFile(Lab + QStringLiteral("/Students.DAT"), record(QStringLiteral("А"), "1"));
    ForeignLock bench(Lab + QStringLiteral("/Students.DAT"));
    const ToolRun checked = oplabData({ QStringLiteral("lab"), QStringLiteral("check"), Lab });
    const QStringList failed = checked.failedLines();
    QCOMPARE(failed.size(), 1);
    QVERIFY2(failed[0].startsWith(QStringLiteral("✗ Students.DAT (журнал): Журнал занят")), qPrintable(failed[0]));
    QVERIFY2(checked.Out.contains(QStringLiteral("блокировки записей работают\n")), qPrintable(checked.Out));
}

void tst_LabCommand::initRefusesWhatItCannotDo_data()
{
    // Arguments after "lab init" (DIR is the test's folder), and the error.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");

    const QString usage = QStringLiteral("oplab-data: usage: oplab-data lab init [--force] [--group GROUP [--owner USER]] "
                                         "DIR | lab check DIR\n");
    QTest::newRow("group without its name") << QStringList { "DIR", "--group" } << usage;
    QTest::newRow("group given twice") << QStringList { "--group", "a", "--group", "b", "DIR" } << usage;
    QTest::newRow("owner without a group") << QStringList { "--owner", "root", "DIR" } << usage;
    QTest::newRow("two folders") << QStringList { "DIR", "DIR" } << usage;
    QTest::newRow("no such group") << QStringList { "--group", "no-such-group-here", "DIR" }
                                   << "oplab-data: no group 'no-such-group-here'\n";
    QTest::newRow("no such owner") << QStringList { "--group", "0", "--owner", "no-such-account-here", "DIR" }
                                   << "oplab-data: no account 'no-such-account-here'\n";
}

void tst_LabCommand::initRefusesWhatItCannotDo()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    args.replaceInStrings(QStringLiteral("DIR"), Lab);
    const ToolRun refused = oplabData(QStringList { QStringLiteral("lab"), QStringLiteral("init") } + args);
    QCOMPARE(refused.Status, 2);
    QCOMPARE(refused.Err, error);
    QVERIFY(!QFileInfo::exists(Lab));
}

QTEST_GUILESS_MAIN(tst_LabCommand)
#include "tst_LabCommand.moc"
