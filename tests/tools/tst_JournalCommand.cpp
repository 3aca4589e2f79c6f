// oplab-data journal: the listings, the check, the lookup and the
// registration of the instructor's tool, run as the instructor runs it.
#include "support/JournalFixture.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

using Run = ToolRun;

Run oplabData(const QStringList& args)
{
    return runTool(QStringLiteral(OPLAB_DATA_TOOL), QStringList { QStringLiteral("journal") } + args);
}

const QString Passed = QStringLiteral("зач") + QLatin1Char('e') + QStringLiteral("т");

} // namespace

class tst_JournalCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void listAsCsv();
    void listAsJson();
    void listAsTable();
    void checkFindsEveryKindOfFault();
    void checkOfASoundJournal();
    void checkOfAJournalWithoutAWholeRecord();
    void controlCharactersNeverReachTheTerminal();
    void findAsRegistrationLooksUp();
    void registerAppendsOrFinds();
    void failuresAreOneLineAndWriteNothing();

private:
    QTemporaryDir Dir;
    QString Path;
    QByteArray Sample;
};

void tst_JournalCommand::init()
{
    QVERIFY(Dir.isValid());
    Path = Dir.filePath(QStringLiteral("j.dat"));
    QFile::remove(Path);
    Sample = record(QStringLiteral("Иванов И.И."), "123", "0")
        + record(QStringLiteral("Петров, \"Пётр\""), "007", "10", StudentRecord::VerdictPassed, "++++++",
                 StudentRecord::WorkDone)
        + record(QStringLiteral("Сидоров"), "9", "3", StudentRecord::VerdictFailed, "+-----")
        // The Cyrillic spelling of the pass verdict is none of the three.
        + record(QStringLiteral("Tab\there"), "11", "8", cp(QStringLiteral("зачет")), "------");
    writeFile(Path, Sample);
}

void tst_JournalCommand::listAsCsv()
{
    const Run r = oplabData({ QStringLiteral("list"), Path, QStringLiteral("--csv") });
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Out,
             QStringLiteral("index,name,code,score,verdict,done1,done2,done3,done4,done5,done6,work\n"
                            "0,Иванов И.И.,123,0,не сдан,-,-,-,-,-,-,\n"
                            "1,\"Петров, \"\"Пётр\"\"\",007,10,зачёт,+,+,+,+,+,+,выполнена\n"
                            "2,Сидоров,9,3,незачёт,+,-,-,-,-,-,\n"
                            "3,Tab\there,11,8,зачет,-,-,-,-,-,-,\n"));
}

void tst_JournalCommand::listAsJson()
{
    const Run r = oplabData({ QStringLiteral("list"), QStringLiteral("--json"), Path });
    QCOMPARE(r.Status, 0);
    QJsonParseError error;
    const QJsonArray rows = QJsonDocument::fromJson(r.Out.toUtf8(), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(rows.size(), 4);
    const QJsonObject second = rows[1].toObject();
    QCOMPARE(second[QStringLiteral("index")].toInt(), 1);
    QCOMPARE(second[QStringLiteral("name")].toString(), QStringLiteral("Петров, \"Пётр\""));
    QCOMPARE(second[QStringLiteral("code")].toString(), QStringLiteral("007"));
    QCOMPARE(second[QStringLiteral("score")].toString(), QStringLiteral("10"));
    QCOMPARE(second[QStringLiteral("verdict")].toString(), QStringLiteral("зачёт"));
    QCOMPARE(second[QStringLiteral("done")].toArray().size(), 6);
    QCOMPARE(second[QStringLiteral("work")].toString(), QStringLiteral("выполнена"));
    QCOMPARE(rows[3].toObject()[QStringLiteral("name")].toString(), QStringLiteral("Tab\there"));

    writeFile(Path, QByteArray());
    QCOMPARE(QJsonDocument::fromJson(oplabData({ QStringLiteral("list"), Path, QStringLiteral("--json") }).Out.toUtf8())
                 .array()
                 .size(),
             0);
}

void tst_JournalCommand::listAsTable()
{
    const Run r = oplabData({ QStringLiteral("list"), Path });
    QCOMPARE(r.Status, 0);
    const QStringList lines = r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    // Every column starts at the same place in every line.
    for (const QString& word : { QStringLiteral("Шифр"), QStringLiteral("Допуск") }) {
        const auto column = lines[0].indexOf(word);
        QVERIFY(column > 0);
        for (int i = 1; i < lines.size(); ++i)
            QVERIFY2(lines[i].at(column - 1) == QLatin1Char(' ') && lines[i].at(column) != QLatin1Char(' '),
                     qPrintable(lines[i]));
    }
    QVERIFY(lines[1].contains(QStringLiteral("не сдан")));
    QVERIFY(lines[2].contains(QStringLiteral("++++++")));
    QVERIFY(lines[2].endsWith(QStringLiteral("выполнена")));
    // A control character of a damaged name does not reach the terminal.
    QVERIFY(lines[4].contains(QStringLiteral("Tab?here")));
}

void tst_JournalCommand::checkFindsEveryKindOfFault()
{
    QByteArray damaged = Sample;
    damaged[73] = char(45); // a name length above the 30 characters
    damaged += record(QStringLiteral("Дубль"), "123");
    damaged += record(QStringLiteral("Буквы"), "12a");
    damaged += QByteArray(20, 'x');
    writeFile(Path, damaged);

    const Run r = oplabData({ QStringLiteral("check"), Path });
    QCOMPARE(r.Status, 1);
    const QStringList lines = r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected {
        QStringLiteral("запись 1: длина поля FIO равна 45, больше его ёмкости 30"),
        QStringLiteral("запись 3: неизвестный допуск 'зачет'"),
        QStringLiteral("запись 4: шифр '123' уже есть в записи 0, эту запись поиск не находит"),
        QStringLiteral("запись 5: шифр '12a' не число"),
        QStringLiteral("после записи 5 неполная запись: 20 байт из 73"),
        QStringLiteral("записей: 6, замечаний: 5"),
    };
    QCOMPARE(lines, expected);
}

void tst_JournalCommand::checkOfASoundJournal()
{
    writeFile(Path, Sample.left(3 * 73));
    const Run r = oplabData({ QStringLiteral("check"), Path });
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Out, QStringLiteral("записей: 3, замечаний: 0\n"));
}

void tst_JournalCommand::checkOfAJournalWithoutAWholeRecord()
{
    // A first registration cut off in the middle of its record.
    writeFile(Path, Sample.left(40));
    const Run r = oplabData({ QStringLiteral("check"), Path });
    QCOMPARE(r.Status, 1);
    QCOMPARE(r.Out, QStringLiteral("нет ни одной целой записи, только неполная: 40 байт из 73\n"
                                   "записей: 0, замечаний: 1\n"));
}

void tst_JournalCommand::controlCharactersNeverReachTheTerminal()
{
    // ESC and byte 98, which code page 1251 leaves as the C1 control that
    // opens a terminal string, in a name, a code and a verdict.
    writeFile(Path, record(QStringLiteral("a"), "1") + record(QString(), "\x98" "2", "0", "\x1b[2J")
                  + record(QString::fromUtf8("\xc2\x98" "b\x1b" "c"), "3"));
    const Run list = oplabData({ QStringLiteral("list"), Path });
    QCOMPARE(list.Status, 0);
    const Run check = oplabData({ QStringLiteral("check"), Path });
    QCOMPARE(check.Status, 1);
    for (const QString& out : { list.Out, check.Out })
        for (const QChar c : out)
            QVERIFY2(c == QLatin1Char('\n') || (c.unicode() >= 0x20 && (c.unicode() < 0x7F || c.unicode() > 0x9F)),
                     qPrintable(QStringLiteral("U+%1 in %2").arg(int(c.unicode()), 4, 16, QLatin1Char('0')).arg(out)));
    QVERIFY(list.Out.contains(QStringLiteral("?b?c")));
    QVERIFY(check.Out.contains(QStringLiteral("шифр '?2' не число")));
    QVERIFY(check.Out.contains(QStringLiteral("неизвестный допуск '?[2J'")));
}

void tst_JournalCommand::findAsRegistrationLooksUp()
{
    Run r = oplabData({ QStringLiteral("find"), Path, QStringLiteral("7") });
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Out.count(QLatin1Char('\n')), 2);
    QVERIFY(r.Out.section(QLatin1Char('\n'), 1, 1).trimmed().startsWith(QStringLiteral("1  Петров")));

    r = oplabData({ QStringLiteral("find"), Path, QStringLiteral("8") });
    QCOMPARE(r.Status, 1);
    QCOMPARE(r.Out, QStringLiteral("шифр '8' не найден\n"));

    // A damaged code before the match does not stop the lookup.
    writeFile(Path, record(QStringLiteral("А"), "x") + Sample);
    QCOMPARE(oplabData({ QStringLiteral("find"), Path, QStringLiteral("9") }).Status, 0);

    // A read-only journal can be looked at.
    QVERIFY(QFile::setPermissions(Path, QFileDevice::ReadOwner));
    QCOMPARE(oplabData({ QStringLiteral("find"), Path, QStringLiteral("123") }).Status, 0);
    QCOMPARE(oplabData({ QStringLiteral("list"), Path }).Status, 0);
    QVERIFY(QFile::setPermissions(Path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

void tst_JournalCommand::registerAppendsOrFinds()
{
    QFile::remove(Path);
    Run r = oplabData({ QStringLiteral("register"), Path, QStringLiteral("55"), QStringLiteral("Орлова О.О.") });
    QCOMPARE(r.Status, 0);
    QVERIFY(r.Out.startsWith(QStringLiteral("новая запись\n")));
    QCOMPARE(readFile(Path), record(QStringLiteral("Орлова О.О."), "55"));

    r = oplabData({ QStringLiteral("register"), Path, QStringLiteral("055"), QStringLiteral("Другая") });
    QCOMPARE(r.Status, 0);
    QVERIFY(r.Out.startsWith(QStringLiteral("найдена запись\n")));
    QVERIFY(r.Out.contains(QStringLiteral("Орлова О.О.")));
    QCOMPARE(readFile(Path).size(), 73);
}

void tst_JournalCommand::failuresAreOneLineAndWriteNothing()
{
    struct Case
    {
        QStringList Args;
        QString Error;
    };
    const QString missing = Dir.filePath(QStringLiteral("missing.dat"));
    const QList<Case> cases {
        { { QStringLiteral("list"), missing }, missing + QStringLiteral(": File not found") },
        { { QStringLiteral("find"), missing, QStringLiteral("1") }, missing + QStringLiteral(": File not found") },
        { { QStringLiteral("find"), Path, QStringLiteral("q1") },
          Path + QStringLiteral(": 'q1' is not a valid integer value") },
        { { QStringLiteral("register"), Path, QStringLiteral("abc"), QStringLiteral("А") },
          Path + QStringLiteral(": 'abc' is not a valid integer value") },
        { { QStringLiteral("register"), Path, QStringLiteral("1234567"), QStringLiteral("А") },
          Path + QStringLiteral(": Шифр длиннее 6 символов: '1234567'") },
        { { QStringLiteral("list"), Path, QStringLiteral("--csv"), QStringLiteral("--json") }, QString() },
        { { QStringLiteral("register"), Path, QStringLiteral("1") }, QString() },
        { { QStringLiteral("erase"), Path }, QString() },
    };
    for (const Case& c : cases) {
        const Run r = oplabData(c.Args);
        QCOMPARE(r.Status, 2);
        QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
        QVERIFY2(r.Err.startsWith(QStringLiteral("oplab-data: ")), qPrintable(r.Err));
        if (!c.Error.isEmpty())
            QCOMPARE(r.Err, QStringLiteral("oplab-data: ") + c.Error + QLatin1Char('\n'));
        QCOMPARE(readFile(Path), Sample);
    }
    QVERIFY(!QFile::exists(missing));

    QVERIFY(QFile::setPermissions(Path, QFileDevice::ReadOwner));
    const Run r = oplabData({ QStringLiteral("register"), Path, QStringLiteral("77"), QStringLiteral("А") });
    QCOMPARE(r.Status, 2);
    QCOMPARE(r.Err, QStringLiteral("oplab-data: ") + Path + QStringLiteral(": File access denied\n"));
    QCOMPARE(readFile(Path), Sample);
    QVERIFY(QFile::setPermissions(Path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

QTEST_GUILESS_MAIN(tst_JournalCommand)
#include "tst_JournalCommand.moc"
