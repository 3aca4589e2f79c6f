// The instructor's window on a journal that benches in other processes
// write while it is open; a journal missing, damaged or held by a bench;
// the CSV and the printed report of the rows shown; the command line.
#include "support/ForeignLock.h"
#include "support/JournalFixture.h"
#include "support/ScratchJournal.h"

#include "instructor/ClassColumns.h"
#include "instructor/ClassReport.h"
#include "instructor/JournalArguments.h"
#include "instructor/JournalBanner.h"
#include "instructor/JournalWindow.h"
#include "instructor/SummaryPanel.h"
#include "journal/JournalHistory.h"

#include <QComboBox>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

// The window must follow a change within its poll period; the slack is
// for a loaded machine.
constexpr int PollMs = 2000;
constexpr int Slack = 1500;

void run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    QVERIFY2(p.waitForFinished(30000) && p.exitCode() == 0, p.readAllStandardError().constData());
}

QString nameAt(JournalWindow& w, int shownRow)
{
    return w.filter().index(shownRow, ClassColumns::Name).data().toString();
}

QByteArray classOf(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += record(QStringLiteral("Студент %1").arg(i, 3, 10, QLatin1Char('0')), QByteArray::number(100 + i));
    return bytes;
}

} // namespace

class tst_JournalWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void followsBenchesInOtherProcesses_data();
    void followsBenchesInOtherProcesses();
    void missingDamagedAndVanishedJournals();
    void journalHeldByABenchIsReadAtALaterTick();
    void historyIsKeptAndForeignChangesAreNamed();
    void csvAndReportOfTheRowsShown();
    void longReportRepeatsItsHeadOnEveryPage();
    void commandLine_data();
    void commandLine();

private:
    ScratchJournal Scratch;
    QString Path;
};

void tst_JournalWindow::initTestCase()
{
    // The settings and the journal's history of the windows under test stay
    // in the scratch folder.
    QVERIFY(Scratch.isValid());
    qputenv("HOME", QFile::encodeName(Scratch.filePath(QStringLiteral("home"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(Scratch.filePath(QStringLiteral("data"))));
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("oplab"));
    QCoreApplication::setApplicationName(QStringLiteral("oplab-journal-test"));
}

void tst_JournalWindow::init()
{
    QVERIFY(Scratch.fresh());
    Path = Scratch.journal();
    // Each test starts the journal's history afresh.
    QDir(JournalHistory(Path).folder()).removeRecursively();
    QDir(Scratch.filePath(QStringLiteral("data"))).removeRecursively();
}

void tst_JournalWindow::followsBenchesInOtherProcesses_data()
{
    QTest::addColumn<bool>("watching");
    QTest::newRow("change notices and poll") << true;
    QTest::newRow("poll alone, as on a network folder") << false;
}

void tst_JournalWindow::followsBenchesInOtherProcesses()
{
    QFETCH(bool, watching);
    writeFile(Path, classOf(60) + record(QStringLiteral("Петров П.П."), "77", "8", StudentRecord::VerdictPassed, "++----"));
    JournalWindow w;
    w.follower().setWatching(watching);
    w.resize(1000, 600);
    w.show();
    w.openJournal(Scratch.path()); // the lab folder's journal
    QTRY_COMPARE(w.model().rowCount(), 61);
    QCOMPARE(w.message(), QString());

    // The instructor sorts by name, newest last, scrolls and picks Петров.
    w.table()->sortByColumn(ClassColumns::Name, Qt::DescendingOrder);
    QCOMPARE(nameAt(w, 0), QStringLiteral("Студент 059"));
    w.table()->selectRow(w.filter().mapFromSource(w.model().index(60, 0)).row());
    w.table()->verticalScrollBar()->setValue(20);

    run(QStringLiteral(OPLAB_DATA_TOOL), { QStringLiteral("journal"), QStringLiteral("register"), Path,
                                           QStringLiteral("78"), QStringLiteral("Сидоров С.С.") });
    QTRY_COMPARE_WITH_TIMEOUT(w.model().rowCount(), 62, PollMs + Slack);
    QCOMPARE(w.summaryPanel().summary().Registered, 62);
    QCOMPARE(w.model().highlight(61), JournalModel::Added);

    run(QStringLiteral(MEASUREMENT_WRITER), { Path, QStringLiteral("--from"), QStringLiteral("3"), QStringLiteral("77") });
    QTRY_COMPARE_WITH_TIMEOUT(w.summaryPanel().summary().WorkDone, 1, PollMs + Slack);
    QCOMPARE(w.summaryPanel().summary().Measured[5], 1);
    QCOMPARE(w.model().highlight(60), JournalModel::Changed);
    QVERIFY(w.statusText().contains(QStringLiteral("записей: 62")));

    // Sort, selection and scroll are as the instructor left them.
    QCOMPARE(nameAt(w, 0), QStringLiteral("Студент 059"));
    QCOMPARE(nameAt(w, 60), QStringLiteral("Сидоров С.С."));
    QCOMPARE(nameAt(w, 61), QStringLiteral("Петров П.П."));
    const QModelIndexList selected = w.table()->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(w.filter().mapToSource(selected[0]).row(), 60);
    QCOMPARE(w.table()->verticalScrollBar()->value(), 20);
}

void tst_JournalWindow::missingDamagedAndVanishedJournals()
{
    JournalWindow w;
    w.follower().setPollInterval(200);
    w.show();
    w.openJournal(Path);
    QTRY_VERIFY(w.message().startsWith(QStringLiteral("Журнал не найден: ") + Path));

    writeFile(Path, QByteArray());
    QTRY_VERIFY(w.message().startsWith(QStringLiteral("В журнале пока нет ни одной записи")));

    // Every readable record, and the faults named above the table.
    writeFile(Path, record(QStringLiteral("Первый"), "7") + record(QStringLiteral("Второй"), "007") + QByteArray(30, 'x'));
    QTRY_COMPARE(w.model().rowCount(), 2);
    QCOMPARE(w.message(), QString());
    QVERIFY(w.banner().isVisible());
    QVERIFY(w.banner().text().contains(QStringLiteral("В журнале замечаний: 2")));
    QVERIFY(w.banner().text().contains(QStringLiteral("после записи 1 неполная запись: 30 байт из 73")));

    // Gone after it was shown: the table stays, the banner says so.
    QFile::remove(Path);
    QTRY_VERIFY(w.banner().problem().startsWith(QStringLiteral("Журнал не найден")));
    QCOMPARE(w.model().rowCount(), 2);

    // Another journal: nothing of this one stays.
    w.openJournal(Scratch.filePath(QStringLiteral("other.dat")));
    QCOMPARE(w.summaryPanel().summary().Registered, 0);
    QVERIFY(!w.banner().isVisible());
}

void tst_JournalWindow::journalHeldByABenchIsReadAtALaterTick()
{
    writeFile(Path, classOf(3));
    auto* bench = new ForeignLock(Path);
    JournalWindow w;
    w.follower().setWatching(false);
    w.follower().setPollInterval(300);
    w.show();
    w.openJournal(Path);
    QTRY_VERIFY(w.statusText().contains(QStringLiteral("журнал занят")));
    QCOMPARE(w.model().rowCount(), 0);
    delete bench;
    QTRY_COMPARE(w.model().rowCount(), 3);
    QVERIFY(!w.statusText().contains(QStringLiteral("журнал занят")));
}

void tst_JournalWindow::historyIsKeptAndForeignChangesAreNamed()
{
    // The history where oplab-data keeps it too (its timer, below).
    const QString root = Scratch.filePath(QStringLiteral("data/oplab/history"));
    const JournalHistory history(Path, root);
    const QByteArray three = classOf(3);
    writeFile(Path, three);
    {
        JournalWindow w;
        w.follower().setHistoryRoot(root);
        w.follower().setPollInterval(200);
        w.show();
        w.openJournal(Path);
        QTRY_COMPARE(w.model().rowCount(), 3);
        QTRY_COMPARE(history.versions().size(), 1);

        // A bench registers: a version more, nothing to name.
        run(QStringLiteral(OPLAB_DATA_TOOL), { QStringLiteral("journal"), QStringLiteral("register"), Path,
                                               QStringLiteral("200"), QStringLiteral("Новиков Н.Н.") });
        QTRY_COMPARE(w.model().rowCount(), 4);
        QTRY_COMPARE(history.versions().size(), 2);
        const QString benchVersion = history.latest();
        QVERIFY(!w.banner().isVisible());

        // A student raises a score and cuts the last record off.
        writeFile(Path, three.left(73)
                      + record(QStringLiteral("Студент 001"), "101", "9", cp(QStringLiteral("зачет")))
                      + three.mid(146) + QByteArray(20, 'x'));
        QTRY_VERIFY(w.banner().isVisible());
        // The version is kept off the window's thread: it may land a moment
        // after the banner.
        QTRY_COMPARE(history.versions().size(), 3);
        const QStringList foreign = w.banner().foreignChanges();
        QCOMPARE(foreign.size(), 2);
        QCOMPARE(foreign[0], QStringLiteral("%1: запись 1 (Студент 001, шифр 101): тест: не сдан, балл 0 → «зачет», балл 9, "
                                            "такого результата тест не записывает")
                                 .arg(history.latest()));
        QVERIFY2(foreign[1].endsWith(QStringLiteral("запись 3 (Новиков Н.Н., шифр 200): обрезана: осталось 20 байт из 73")),
                 qPrintable(foreign[1]));
        QCOMPARE(w.banner().versionBefore(), benchVersion);
        QVERIFY2(w.banner().text().contains(
                     QStringLiteral("oplab-data journal restore '%1' %2").arg(Path, benchVersion)),
                 qPrintable(w.banner().text()));
        // A reading that finds nothing new names nothing twice.
        w.follower().readNow();
        QTest::qWait(400);
        QTRY_VERIFY(!w.follower().isKeeping());
        QCOMPARE(w.banner().foreignChanges().size(), 2);
    }

    // With no window open the timer keeps a record removed; the next
    // window names what changed since the version it saw last.
    writeFile(Path, three.left(146));
    run(QStringLiteral(OPLAB_DATA_TOOL), { QStringLiteral("journal"), QStringLiteral("keep"), Path });
    QCOMPARE(history.versions().size(), 4);
    JournalWindow w;
    w.follower().setHistoryRoot(root);
    w.show();
    w.openJournal(Path);
    QTRY_COMPARE(w.model().rowCount(), 2);
    QTRY_VERIFY(w.banner().isVisible());
    const QStringList since = w.banner().foreignChanges();
    QCOMPARE(since.size(), 2);
    QVERIFY2(since[0].contains(QStringLiteral("запись 1 (Студент 001, шифр 101): результат теста снят")), qPrintable(since[0]));
    QVERIFY2(since[1].endsWith(QStringLiteral("запись 2 (Студент 002, шифр 102): удалена")), qPrintable(since[1]));

    // A history that cannot be kept is said on the status line.
    JournalWindow blocked;
    writeFile(Scratch.filePath(QStringLiteral("file")), "x");
    blocked.follower().setHistoryRoot(Scratch.filePath(QStringLiteral("file")));
    blocked.openJournal(Path);
    QTRY_COMPARE(blocked.model().rowCount(), 2);
    QTRY_VERIFY2(blocked.statusText().contains(QStringLiteral("история журнала не ведётся: история журнала: не удаётся создать папку")),
             qPrintable(blocked.statusText()));

    // A journal removed while the window is open is kept as an empty
    // version: every record removed.
    w.follower().setPollInterval(200);
    QFile::remove(Path);
    QTRY_COMPARE(w.banner().foreignChanges().size(), 4);
    QCOMPARE(history.versions().size(), 5);
    QVERIFY(history.version(history.latest()).bytes().isEmpty());
    QVERIFY2(w.banner().foreignChanges()[3].endsWith(QStringLiteral("запись 1 (Студент 001, шифр 101): удалена")),
             qPrintable(w.banner().foreignChanges()[3]));
}

void tst_JournalWindow::csvAndReportOfTheRowsShown()
{
    writeFile(Path, record(QStringLiteral("Абрамов А.А."), "1", "9", StudentRecord::VerdictPassed, "++++++",
                           StudentRecord::WorkDone)
                  + record(QStringLiteral("Борисов Б.Б."), "2", "3", StudentRecord::VerdictFailed)
                  + record(QStringLiteral("Власов В.В."), "3", "7", StudentRecord::VerdictPassed, "+-----"));
    JournalWindow w;
    w.show();
    w.openJournal(Path);
    QTRY_COMPARE(w.model().rowCount(), 3);
    w.stateBox()->setCurrentIndex(w.stateBox()->findData(int(JournalFilter::Passed)));
    w.table()->sortByColumn(ClassColumns::Score, Qt::AscendingOrder);

    const QString csv = Scratch.filePath(QStringLiteral("class.csv"));
    QVERIFY(w.exportCsv(csv, QLatin1Char(';')));
    const QStringList lines = QString::fromUtf8(readFile(csv)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[1].startsWith(QStringLiteral("2;Власов В.В.;3;7;")));
    QVERIFY(lines[2].startsWith(QStringLiteral("0;Абрамов А.А.;1;9;")));

    const QString pdf = Scratch.filePath(QStringLiteral("report.pdf"));
    QVERIFY(w.saveReport(pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
    QVERIFY(text.waitForFinished(30000));
    const QString report = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    for (const QString& wanted :
         { QStringLiteral("Папка лаборатории: ") + Scratch.path(), QStringLiteral("записей: 3"),
           QStringLiteral("Показаны: тест сдан (зачёт); строк: 2"), QStringLiteral("Зарегистрировались 2"),
           QStringLiteral("Прошли тест 2"), QStringLiteral("из них зачёт 2"), QStringLiteral("Работа выполнена 1"),
           QStringLiteral("Абрамов А.А."), QStringLiteral("Власов В.В."), QStringLiteral("стр. 1 из 1") })
        QVERIFY2(report.contains(wanted), qPrintable(wanted + QStringLiteral(" not in: ") + report));
    QVERIFY(!report.contains(QStringLiteral("Борисов")));
}

void tst_JournalWindow::longReportRepeatsItsHeadOnEveryPage()
{
    writeFile(Path, classOf(150));
    JournalWindow w;
    w.openJournal(Path);
    QCOMPARE(w.model().rowCount(), 150);
    const QString pdf = Scratch.filePath(QStringLiteral("long.pdf"));
    QVERIFY(w.saveReport(pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    QVERIFY(text.waitForFinished(30000));
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
    int names = 0;
    for (int p = 0; p < pages.size(); ++p) {
        QVERIFY(pages[p].contains(QStringLiteral("Ф.И.О.")));
        QVERIFY(pages[p].contains(QStringLiteral("стр. %1 из %2").arg(p + 1).arg(pages.size())));
        names += int(pages[p].count(QStringLiteral("Студент ")));
    }
    QCOMPARE(names, 150); // every row once, none lost at a page's end
}

void tst_JournalWindow::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("journal");
    QTest::newRow("nothing: the journal shown last") << QStringList {} << true << QString();
    QTest::newRow("a journal") << QStringList { "/lab/j.dat" } << true << QStringLiteral("/lab/j.dat");
    QTest::newRow("a lab folder") << QStringList { "/tmp" } << true << QStringLiteral("/tmp/Students.DAT");
    QTest::newRow("two") << QStringList { "a", "b" } << false << QString();
    QTest::newRow("unknown option") << QStringList { "--frobnicate" } << false << QString();
    // --lab: the folder named in the configuration file (here the "conf"
    // file of the test's folder), else the account's own; never beside a
    // journal named too.
    QTest::newRow("--lab, configured") << QStringList { "--lab", "conf:[Lab]\nFolder = /srv/lab \n" } << true
                                       << QStringLiteral("/srv/lab/Students.DAT");
    QTest::newRow("--lab, none configured") << QStringList { "--lab", "conf:[Lab]\n" } << true
                                            << QStringLiteral("/home/me/lab/Students.DAT");
    QTest::newRow("--lab, no configuration") << QStringList { "--lab" } << true
                                             << QStringLiteral("/home/me/lab/Students.DAT");
    QTest::newRow("--lab and a journal") << QStringList { "--lab", "/lab/j.dat" } << false << QString();
}

void tst_JournalWindow::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(bool, ok);
    QFETCH(QString, journal);
    QTemporaryDir scratch;
    LabPlaces places { scratch.filePath(QStringLiteral("oplab.conf")), QStringLiteral("/home/me/lab"), QString() };
    if (!args.isEmpty() && args.back().startsWith(QLatin1String("conf:"))) {
        QFile conf(places.ConfigFile);
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write(args.takeLast().mid(5).toUtf8());
    }
    JournalArguments arguments(places);
    QCOMPARE(arguments.parse(QStringList { QStringLiteral("oplab-journal") } + args), ok);
    if (ok)
        QCOMPARE(arguments.journal(), journal);
}

QTEST_MAIN(tst_JournalWindow)
#include "tst_JournalWindow.moc"
