// The kept versions of a journal: kept only when it changed, named by the
// time and unique within a second, one folder per journal, the changes
// after a version seen, and a version written back under the lock.
#include "support/ForeignLock.h"
#include "support/JournalFixture.h"
#include "support/ScratchJournal.h"

#include "journal/JournalDiff.h"
#include "journal/JournalHistory.h"
#include "platform/EInOutError.h"

#include <QDir>
#include <QtTest>

using namespace fixture;

namespace {

const QByteArray A = record(QStringLiteral("Иванов И.И."), "1001");
const QByteArray B = record(QStringLiteral("Петров П.П."), "1002");
// Made on first use: the verdict is a constant of the journal library.
QByteArray c()
{
    return record(QStringLiteral("Сидоров С.С."), "1003", "5", StudentRecord::VerdictFailed);
}

} // namespace

class tst_JournalHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void keepsOnlyWhatChanged();
    void namesAreTimesUniqueAndInOrder();
    void eachJournalHasAFolderOfItsOwn();
    void changesAfterTheVersionSeen();
    void restoreWritesTheVersionBackAndKeepsBoth();
    void restoreWaitsForTheLockAndGivesUp();
    void missingThingsAreNamed();

private:
    QString keepNow(JournalHistory& h, const QByteArray& bytes)
    {
        writeFile(Path, bytes);
        return h.keepJournal();
    }

    ScratchJournal Scratch { QStringLiteral("lab/Students.DAT") };
    QString Path;
    QString Root;
    QDateTime Now;
};

void tst_JournalHistory::init()
{
    // The lab folder and the history, both emptied.
    QDir(Scratch.path()).removeRecursively();
    QVERIFY(Scratch.fresh());
    Path = Scratch.journal();
    Root = Scratch.filePath(QStringLiteral("history"));
    Now = QDateTime(QDate(2026, 12, 9), QTime(10, 32, 5));
}

void tst_JournalHistory::keepsOnlyWhatChanged()
{
    JournalHistory h(Path, Root);
    h.setNow([this] { return Now; });
    QVERIFY(h.versions().isEmpty());
    const QString first = keepNow(h, A);
    QCOMPARE(first, QStringLiteral("2026-12-09T10:32:05"));
    Now = Now.addSecs(60);
    QCOMPARE(keepNow(h, A), QString());
    // A partial record behind the last whole one is a change too, and is
    // kept as the file held it.
    const QString second = keepNow(h, A + B.left(20));
    QCOMPARE(second, QStringLiteral("2026-12-09T10:33:05"));
    QCOMPARE(h.version(second).bytes(), A + B.left(20));
    QCOMPARE(h.versions(), QStringList({ first, second }));
    QCOMPARE(readFile(h.versionPath(first)), A);
    QCOMPARE(readFile(QDir(h.folder()).filePath(QStringLiteral("journal"))).trimmed(),
             QFileInfo(Path).absoluteFilePath().toUtf8());
}

void tst_JournalHistory::namesAreTimesUniqueAndInOrder()
{
    JournalHistory h(Path, Root);
    h.setNow([this] { return Now; });
    QStringList kept;
    for (int i = 0; i < 11; ++i)
        kept << keepNow(h, A + QByteArray(i, 'x'));
    QCOMPARE(kept[0], QStringLiteral("2026-12-09T10:32:05"));
    QCOMPARE(kept[1], QStringLiteral("2026-12-09T10:32:05_2"));
    QCOMPARE(kept[10], QStringLiteral("2026-12-09T10:32:05_11"));
    // A clock set back never puts a version before the latest.
    Now = Now.addSecs(-3600);
    kept << keepNow(h, B);
    QCOMPARE(kept.last(), QStringLiteral("2026-12-09T10:32:05_12"));
    QCOMPARE(h.versions(), kept);
    QCOMPARE(h.latest(), kept.last());
    // Files that are no versions are passed over.
    writeFile(QDir(h.folder()).filePath(QStringLiteral("notes.DAT")), "x");
    writeFile(QDir(h.folder()).filePath(QStringLiteral("2026-12-09T10:32:05_0.DAT")), "x");
    QCOMPARE(h.versions(), kept);
}

void tst_JournalHistory::eachJournalHasAFolderOfItsOwn()
{
    // Two labs' journals of one file name, and one journal by two spellings.
    QDir().mkpath(Scratch.filePath(QStringLiteral("other")));
    const JournalHistory here(Path, Root);
    const JournalHistory there(Scratch.filePath(QStringLiteral("other/Students.DAT")), Root);
    const JournalHistory again(Scratch.filePath(QStringLiteral("other/../lab/./Students.DAT")), Root);
    QVERIFY(here.folder() != there.folder());
    QCOMPARE(again.folder(), here.folder());
    QVERIFY(QFileInfo(here.folder()).fileName().startsWith(QStringLiteral("Students.DAT-")));
    QCOMPARE(QFileInfo(here.folder()).absolutePath(), QDir(Root).absolutePath());
    // Without a root given, the instructor's own data folder.
    qputenv("XDG_DATA_HOME", QFile::encodeName(Scratch.filePath(QStringLiteral("data"))));
    QCOMPARE(JournalHistory::defaultRoot(), Scratch.filePath(QStringLiteral("data/oplab/history")));
    QCOMPARE(QFileInfo(JournalHistory(Path).folder()).absolutePath(), JournalHistory::defaultRoot());
}

void tst_JournalHistory::changesAfterTheVersionSeen()
{
    JournalHistory h(Path, Root);
    h.setNow([this] { return Now; });
    const QString v1 = keepNow(h, A + B);
    const QString v2 = keepNow(h, A + B + c());   // a registration (and a test)
    const QString v3 = keepNow(h, A + c());       // B removed
    auto all = h.changesAfter(QString(), 100);
    QCOMPARE(all.size(), size_t(2));
    QCOMPARE(all[0].first, v2);
    QVERIFY(!JournalDiff::anyForeign(all[0].second));
    QCOMPARE(all[1].first, v3);
    QVERIFY(JournalDiff::anyForeign(all[1].second));
    QString before;
    QCOMPARE(h.changesAfter(v2, 100, &before).size(), size_t(1));
    QCOMPARE(before, v2);
    QCOMPARE(h.changesAfter(v3, 100).size(), size_t(0));
    // No more than the last `limit`, also after a version no longer kept.
    QCOMPARE(h.changesAfter(QStringLiteral("2000-01-01T00:00:00"), 1).size(), size_t(1));
    QCOMPARE(h.changesAfter(QStringLiteral("2000-01-01T00:00:00"), 1)[0].first, v3);
    QCOMPARE(h.changesAfter(QString(), 100, &before).size(), size_t(2));
    QCOMPARE(before, v1);
}

void tst_JournalHistory::restoreWritesTheVersionBackAndKeepsBoth()
{
    JournalHistory h(Path, Root);
    h.setNow([this] { return Now; });
    const QString good = keepNow(h, A + B + c().left(10));
    // A student cuts the journal and changes a record; not kept yet.
    writeFile(Path, record(QStringLiteral("Иванов И.И."), "1001", "9") + B.left(5));
    const auto [before, after] = h.restore(good);
    // The whole records of the version; the partial one is left out.
    QCOMPARE(readFile(Path), A + B);
    QCOMPARE(h.version(before).bytes(), record(QStringLiteral("Иванов И.И."), "1001", "9") + B.left(5));
    QCOMPARE(h.version(after).bytes(), A + B);
    QCOMPARE(h.versions(), QStringList({ good, before, after }));

    // A longer journal is cut to the version; the state as it stood, kept
    // already, is not kept twice.
    writeFile(Path, A + B + c() + c());
    h.keepJournal();
    const QString last = h.latest();
    const auto [again, written] = h.restore(good);
    QCOMPARE(again, last);
    QCOMPARE(readFile(Path), A + B);
    QCOMPARE(h.version(written).bytes(), A + B);
    QCOMPARE(h.versions().size(), 5);
}

void tst_JournalHistory::restoreWaitsForTheLockAndGivesUp()
{
    JournalHistory h(Path, Root);
    const QString good = keepNow(h, A);
    writeFile(Path, A + B);
    ForeignLock bench(Path);
    try {
        h.restore(good, 100);
        QFAIL("restored under another program's lock");
    } catch (const Exception& e) {
        QCOMPARE(e.message(), QStringLiteral("Журнал занят другой программой. Повторите попытку."));
    }
    QCOMPARE(readFile(Path), A + B);
    QCOMPARE(h.versions(), QStringList({ good }));
}

void tst_JournalHistory::missingThingsAreNamed()
{
    JournalHistory h(Path, Root);
    try {
        h.version(QStringLiteral("2026-12-09T10:32:05"));
        QFAIL("a version never kept was read");
    } catch (const Exception& e) {
        QVERIFY2(e.message().contains(QStringLiteral("нет версии 2026-12-09T10:32:05")), qPrintable(e.message()));
    }
    try {
        h.keepJournal();
        QFAIL("a missing journal was kept");
    } catch (const EInOutError& e) {
        QCOMPARE(e.errorCode(), int(EInOutError::FileNotFound));
    }
    QVERIFY(h.versions().isEmpty());
    // A history folder that cannot be made is an error, never a version lost
    // in silence.
    writeFile(Scratch.filePath(QStringLiteral("file")), "x");
    JournalHistory blocked(Path, Scratch.filePath(QStringLiteral("file")));
    writeFile(Path, A);
    QVERIFY_THROWS_EXCEPTION(Exception, blocked.keepJournal());
}

QTEST_GUILESS_MAIN(tst_JournalHistory)
#include "tst_JournalHistory.moc"
