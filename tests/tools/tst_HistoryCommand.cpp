// oplab-data journal keep, history, diff and restore, run as the
// instructor (or the timer) runs them, the history in a scratch data folder.
#include "support/JournalFixture.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

using Run = ToolRun;

class tst_HistoryCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void keepHistoryDiffRestore();
    void failures_data();
    void failures();

private:
    Run journal(const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), Dir.filePath(QStringLiteral("data")));
        return runTool(QStringLiteral(OPLAB_DATA_TOOL), QStringList { QStringLiteral("journal") } + args, env);
    }

    QStringList versions()
    {
        QStringList ids;
        for (const QString& line : journal({ QStringLiteral("history"), Path }).Out.split(QLatin1Char('\n'),
                                                                                         Qt::SkipEmptyParts))
            ids << line.section(QLatin1Char(' '), 0, 0);
        return ids;
    }

    QTemporaryDir Dir;
    QString Path;
    QByteArray Class;
};

void tst_HistoryCommand::init()
{
    QVERIFY(Dir.isValid());
    QDir(Dir.path()).removeRecursively();
    QDir().mkpath(Dir.filePath(QStringLiteral("lab")));
    Path = Dir.filePath(QStringLiteral("lab/Students.DAT"));
    Class = record(QStringLiteral("Иванов И.И."), "1001", "4", StudentRecord::VerdictFailed)
        + record(QStringLiteral("Петров П.П."), "1002", "8", StudentRecord::VerdictPassed, "++----");
    writeFile(Path, Class);
}

void tst_HistoryCommand::keepHistoryDiffRestore()
{
    Run r = journal({ QStringLiteral("keep"), Path });
    QCOMPARE(r.Status, 0);
    QVERIFY2(r.Out.endsWith(QStringLiteral("  записей: 2  первая версия\n")), qPrintable(r.Out));
    const QString first = r.Out.section(QLatin1Char(' '), 0, 0);
    // Kept in the instructor's data folder, never in the lab folder.
    QCOMPARE(QDir(Dir.filePath(QStringLiteral("lab"))).entryList(QDir::Files), QStringList({ QStringLiteral("Students.DAT") }));
    QCOMPARE(QDir(Dir.filePath(QStringLiteral("data/oplab/history"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    r = journal({ QStringLiteral("keep"), Path });
    QCOMPARE(r.Status, 0);
    QCOMPARE(r.Out, QStringLiteral("без изменений с версии %1 (записей: 2)\n").arg(first));

    // A bench measures; a student then raises a score and cuts a record.
    writeFile(Path, Class.left(73) + record(QStringLiteral("Петров П.П."), "1002", "8", StudentRecord::VerdictPassed, "+++---"));
    QCOMPARE(journal({ QStringLiteral("keep"), Path }).Status, 0);
    writeFile(Path, record(QStringLiteral("Иванов И.И."), "1001", "9", StudentRecord::VerdictPassed) + Class.mid(73, 30));
    r = journal({ QStringLiteral("keep"), Path });
    QCOMPARE(r.Status, 0);
    QVERIFY2(r.Out.contains(QStringLiteral("⚠ не со стенда: запись 1 — обрезана")), qPrintable(r.Out));

    r = journal({ QStringLiteral("history"), Path });
    QCOMPARE(r.Status, 1);
    const QStringList lines = r.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines[1].endsWith(QStringLiteral("записей: 2    измерений 1")), qPrintable(lines[1]));
    QVERIFY2(lines[2].contains(QStringLiteral("записей: 1 ")), qPrintable(lines[2]));
    const QStringList ids = versions();

    // The first version against the journal: its history is the journal's.
    r = journal({ QStringLiteral("diff"), ids[0], Path });
    QCOMPARE(r.Status, 1);
    QCOMPARE(r.Out, QStringLiteral("%1 → %2: записей 2 → 1\n"
                                   "  запись 0 (Иванов И.И., шифр 1001): тест: незачёт, балл 4 → зачёт, балл 9\n"
                                   "⚠ запись 1 (Петров П.П., шифр 1002): обрезана: осталось 30 байт из 73\n"
                                   "изменений: 2, из них таких, каких стенд не делает: 1\n")
                                .arg(ids[0], Path));
    // Two versions, the journal named; a bench's change alone is status 0.
    r = journal({ QStringLiteral("diff"), ids[0], ids[1], QStringLiteral("--journal"), Path });
    QCOMPARE(r.Status, 0);
    QVERIFY2(r.Out.contains(QStringLiteral("  запись 1 (Петров П.П., шифр 1002): выполнено измерение 3\n")), qPrintable(r.Out));
    // Two files.
    const QString copy = Dir.filePath(QStringLiteral("copy.DAT"));
    writeFile(copy, Class);
    QCOMPARE(journal({ QStringLiteral("diff"), copy, copy }).Out.split(QLatin1Char('\n')).value(1),
             QStringLiteral("изменений: 0, из них таких, каких стенд не делает: 0"));

    // The journal back as it was at the bench's last change.
    r = journal({ QStringLiteral("restore"), Path, ids[1] });
    QCOMPARE(r.Status, 0);
    QVERIFY2(r.Out.contains(QStringLiteral("записана версия %1 (записей: 2)").arg(ids[1])), qPrintable(r.Out));
    QCOMPARE(readFile(Path), Class.left(73) + record(QStringLiteral("Петров П.П."), "1002", "8", StudentRecord::VerdictPassed, "+++---"));
    QCOMPARE(versions().size(), 4);
    QCOMPARE(journal({ QStringLiteral("diff"), ids[1], Path }).Status, 0);

    // A journal removed is kept as an empty version: every record removed.
    QFile::remove(Path);
    r = journal({ QStringLiteral("keep"), Path });
    QCOMPARE(r.Status, 0);
    QVERIFY2(r.Out.contains(QStringLiteral("записей: 0")), qPrintable(r.Out));
    QVERIFY2(r.Out.contains(QStringLiteral("запись 0 — удалена; запись 1 — удалена")), qPrintable(r.Out));
}

void tst_HistoryCommand::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    const QString missing = QStringLiteral("@/none/Students.DAT");
    QTest::newRow("keep of a journal never made") << QStringList { QStringLiteral("keep"), missing }
                                                  << QStringLiteral("@/none/Students.DAT: File not found");
    QTest::newRow("a version never kept")
        << QStringList { QStringLiteral("restore"), QStringLiteral("@lab/Students.DAT"), QStringLiteral("2026-01-01T00:00:00") }
        << QStringLiteral("нет версии 2026-01-01T00:00:00");
    QTest::newRow("a version without its journal")
        << QStringList { QStringLiteral("diff"), QStringLiteral("2026-01-01T00:00:00"), QStringLiteral("2026-01-01T00:00:01") }
        << QStringLiteral("укажите --journal JOURNAL");
    QTest::newRow("diff of a missing file") << QStringList { QStringLiteral("diff"), missing, QStringLiteral("@lab/Students.DAT") }
                                            << QStringLiteral("@/none/Students.DAT: File not found");
    QTest::newRow("no journal") << QStringList { QStringLiteral("history") } << QStringLiteral("usage:");
    QTest::newRow("--journal without a name") << QStringList { QStringLiteral("diff"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--journal") }
                                              << QStringLiteral("usage:");
}

void tst_HistoryCommand::failures()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    for (QString& a : args)
        a.replace(QLatin1Char('@'), Dir.path() + QLatin1Char('/'));
    error.replace(QLatin1Char('@'), Dir.path() + QLatin1Char('/'));
    const QByteArray before = readFile(Path);
    const Run r = journal(args);
    QCOMPARE(r.Status, 2);
    QVERIFY2(r.Err.startsWith(QStringLiteral("oplab-data: ")) && r.Err.contains(error), qPrintable(r.Err));
    QCOMPARE(r.Err.count(QLatin1Char('\n')), 1);
    QCOMPARE(readFile(Path), before);
    QVERIFY(!QFileInfo::exists(Dir.filePath(QStringLiteral("data/oplab/history"))) || args[0] == QLatin1String("restore"));
}

QTEST_GUILESS_MAIN(tst_HistoryCommand)
#include "tst_HistoryCommand.moc"
