// The journal record, the working record with WriteStudent, the lookup of
// registration and the record lock.
#include "support/FakeClock.h"
#include "support/ForeignLock.h"
#include "support/JournalFixture.h"
#include "support/ScratchJournal.h"

#include "platform/EInOutError.h"
#include "journal/Journal.h"
#include "journal/Grading.h"
#include "journal/JournalLock.h"
#include "journal/StudentRecordText.h"
#include "platform/NumberText.h"

#include <QDir>
#include <QtTest>

using namespace fixture;

namespace {

// The record with byte `offset` set to `value`.
QByteArray withByte(QByteArray bytes, int offset, char value)
{
    bytes[offset] = value;
    return bytes;
}

QByteArray journalOf(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += record(QStringLiteral("Студент %1").arg(i), QByteArray::number(1000 + i));
    return bytes;
}

} // namespace

class tst_Journal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void storedValuesHaveTheirExactBytes();
    void scoreIsDecimalCutToTwoCharacters_data();
    void scoreIsDecimalCutToTwoCharacters();
    void flagTestMarksTheWorkOnlyWhenAllSixAreDone();
    void storedCodeConvertsAsTheStandardConversion_data();
    void storedCodeConvertsAsTheStandardConversion();
    void verdictKindIsDecidedByTheExactBytes_data();
    void verdictKindIsDecidedByTheExactBytes();
    void recordInWords_data();
    void recordInWords();
    void readAllGivesEveryWholeRecordUnderTheSharedLock();

    void writeStudentStaysOnTheRecordWritten();
    void findCodeAcrossBlocks_data();
    void findCodeAcrossBlocks();
    void findCodeInEmptyJournal();

    void writeGivesUpWhenTheLockIsNotHad();
    void nestedLocksKeepTheFileLockedToTheOutermost();

private:
    ScratchJournal Scratch;
    QString Path;
};

void tst_Journal::init()
{
    QVERIFY(Scratch.fresh());
    Path = Scratch.journal();
}

void tst_Journal::cleanup()
{
    QFile::remove(Path);
}

void tst_Journal::storedValuesHaveTheirExactBytes()
{
    StudentRecord r {};
    r.setNewStudent();
    QCOMPARE(bytesOf(r).mid(38, 3), QByteArray("\x01\x30\x00", 3));
    QCOMPARE(bytesOf(r).mid(41, 9), QByteArray::fromHex("08EDE520E7E0F7E5F2"));
    QCOMPARE(bytesOf(r).mid(50, 12), QByteArray::fromHex("012D012D012D012D012D012D"));
    QCOMPARE(bytesOf(r).mid(62, 1), QByteArray::fromHex("00"));

    r.setVerdictPassed();
    QCOMPARE(bytesOf(r).mid(41, 6), QByteArray::fromHex("05E7E0F765F2"));
    r.setVerdictFailed();
    QCOMPARE(bytesOf(r).mid(41, 8), QByteArray::fromHex("07EDE5E7E0F765F2"));
    r.setDone(4);
    QCOMPARE(bytesOf(r).mid(56, 2), QByteArray::fromHex("012B"));

    // The verdicts of the test read as Russian words spelled with the
    // Latin e; the verdict of a new student with the Cyrillic е.
    QCOMPARE(Cp1251::decode(StudentRecord::VerdictPassed), QStringLiteral("зач") + QLatin1Char('e') + QStringLiteral("т"));
    QCOMPARE(Cp1251::decode(StudentRecord::VerdictFailed), QStringLiteral("незач") + QLatin1Char('e') + QStringLiteral("т"));
    QCOMPARE(Cp1251::decode(StudentRecord::VerdictNew), QStringLiteral("не зачет"));
    QCOMPARE(Cp1251::decode(StudentRecord::WorkDone), QStringLiteral("выполнена"));
}

void tst_Journal::scoreIsDecimalCutToTwoCharacters_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("0") << 0 << QByteArray::fromHex("0130");
    QTest::newRow("7") << 7 << QByteArray::fromHex("0137");
    QTest::newRow("10 uses both characters") << 10 << QByteArray::fromHex("023130");
}

void tst_Journal::scoreIsDecimalCutToTwoCharacters()
{
    QFETCH(int, right);
    QFETCH(QByteArray, bytes);
    StudentRecord r {};
    r.setScore(right);
    QCOMPARE(bytesOf(r).mid(38, int(bytes.size())), bytes);
}

void tst_Journal::flagTestMarksTheWorkOnlyWhenAllSixAreDone()
{
    StudentRecord r {};
    r.setNewStudent();
    for (int k = 1; k <= 5; ++k)
        r.setDone(k);
    QVERIFY(!r.markWorkIfComplete());
    QCOMPARE(r.WorkMark.Length, 0);

    // Flags are compared as whole strings: a flag of "+" followed by
    // another length is not done.
    r.Done6.Length = 0;
    r.Done6.Chars[0] = '+';
    QVERIFY(!r.markWorkIfComplete());

    r.setDone(6);
    QVERIFY(r.markWorkIfComplete());
    QCOMPARE(bytesOf(r).mid(62, 11), QByteArray::fromHex("09E2FBEFEEEBEDE5EDE000"));
    // Setting a done flag again keeps the work done.
    r.setDone(3);
    QVERIFY(r.markWorkIfComplete());
}

void tst_Journal::storedCodeConvertsAsTheStandardConversion_data()
{
    QTest::addColumn<QByteArray>("shifr");
    for (const char* s : { "7", "007", "000000", "123456", " 7", "  -12", "+5", "$1F", "0x10", "abc", "", "7 ", "1 2",
                           "--1", "\xB9" "12" })
        QTest::newRow(s) << QByteArray(s);
}

void tst_Journal::storedCodeConvertsAsTheStandardConversion()
{
    QFETCH(QByteArray, shifr);
    StudentRecord r = toRecord(record(QString(), shifr));
    std::int32_t expected = 0;
    const bool converts = NumberText::tryToInt(Cp1251::decode(shifr), expected);
    std::int32_t value = -99;
    QCOMPARE(r.code(value), converts);
    if (converts)
        QCOMPARE(value, expected);
}

void tst_Journal::verdictKindIsDecidedByTheExactBytes_data()
{
    QTest::addColumn<QByteArray>("verdict");
    QTest::addColumn<int>("kind");
    QTest::newRow("new student") << StudentRecord::VerdictNew << int(StudentRecord::NotTested);
    QTest::newRow("pass, Latin e") << StudentRecord::VerdictPassed << int(StudentRecord::Passed);
    QTest::newRow("fail, Latin e") << StudentRecord::VerdictFailed << int(StudentRecord::Failed);
    QTest::newRow("pass, Cyrillic e") << cp(QStringLiteral("зачет")) << int(StudentRecord::UnknownVerdict);
    QTest::newRow("fail, Cyrillic e") << cp(QStringLiteral("незачет")) << int(StudentRecord::UnknownVerdict);
    QTest::newRow("empty") << QByteArray() << int(StudentRecord::UnknownVerdict);
}

void tst_Journal::verdictKindIsDecidedByTheExactBytes()
{
    QFETCH(QByteArray, verdict);
    QFETCH(int, kind);
    QByteArray bytes = record(QStringLiteral("А"), "1", "5", verdict);
    if (verdict.size() < 8)
        bytes[42 + verdict.size()] = 'x'; // bytes behind the length never count
    const StudentRecord r = toRecord(bytes);
    QCOMPARE(int(r.verdictKind()), kind);
}

void tst_Journal::recordInWords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("words"); // name, code, score, verdict, work
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("flags"); // "+" done, "-" not done, "[text]" odd
    QTest::addColumn<bool>("allMeasured");
    QTest::addColumn<bool>("workDone");
    QTest::newRow("new student") << record(QStringLiteral("Иванов И.И."), "1")
                                 << QStringList { "Иванов И.И.", "1", "0", "не сдан", "" } << 0 << "------" << false
                                 << false;
    QTest::newRow("the whole work")
        << record(QStringLiteral("Петров"), "2", "10", StudentRecord::VerdictPassed, "++++++", StudentRecord::WorkDone)
        << QStringList { "Петров", "2", "10", "зачёт", "выполнена" } << 10 << "++++++" << true << true;
    QTest::newRow("failed, one measured")
        << record(QStringLiteral("Сидоров"), "3", "4", StudentRecord::VerdictFailed, "+-----")
        << QStringList { "Сидоров", "3", "4", "незачёт", "" } << 4 << "+-----" << false << false;
    QTest::newRow("a verdict of other bytes, a leading zero")
        << record(QStringLiteral("Котов"), "4", "07", cp(QStringLiteral("зачет")), "+++++-")
        << QStringList { "Котов", "4", "07", "зачет", "" } << 7 << "+++++-" << false << false;
    QTest::newRow("control characters, a score not a number")
        << record(QStringLiteral("Tab\there"), "5\x1b", "1a", QByteArray("\x01\x7f", 2), "-\x7f----", "\x1f")
        << QStringList { "Tab?here", "5?", "1a", "??", "?" } << -1 << "-[?]----" << false << false;
    QTest::newRow("odd flags, one of no length, no score")
        << withByte(record(QStringLiteral("Лисин"), "6", "", StudentRecord::VerdictPassed, "+x+?++"), 50, 0)
        << QStringList { "Лисин", "6", "", "зачёт", "" } << -1 << "[][x]+[?]++" << false << false;
    QTest::newRow("all six, a work mark of other words")
        << record(QStringLiteral("Орлов"), "7", "9", StudentRecord::VerdictPassed, "++++++", cp(QStringLiteral("готово")))
        << QStringList { "Орлов", "7", "9", "зачёт", "готово" } << 9 << "++++++" << true << false;
}

void tst_Journal::recordInWords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, words);
    QFETCH(int, score);
    QFETCH(QString, flags);
    QFETCH(bool, allMeasured);
    QFETCH(bool, workDone);
    using Text = StudentRecordText;
    const StudentRecord r = toRecord(bytes);
    QCOMPARE(QStringList({ Text::name(r), Text::code(r), Text::score(r), Text::verdict(r), Text::work(r) }), words);
    QCOMPARE(Text::scoreValue(r), score);
    QString shown;
    for (int k = 1; k <= Grading::Measurements; ++k) {
        QVERIFY(!(Text::measured(r, k) && Text::oddFlag(r, k)));
        shown += Text::measured(r, k) ? QStringLiteral("+")
            : Text::oddFlag(r, k)     ? QStringLiteral("[%1]").arg(Text::oddFlagText(r, k))
                                      : QStringLiteral("-");
    }
    QCOMPARE(shown, flags);
    QCOMPARE(Text::allMeasured(r), allMeasured);
    QCOMPARE(Text::workDone(r), workDone);
}

void tst_Journal::readAllGivesEveryWholeRecordUnderTheSharedLock()
{
    // More records than one block, then a partial record.
    const QByteArray whole = journalOf(5000);
    writeFile(Path, whole + QByteArray(20, 'x'));
    Journal journal(Path);
    std::int64_t told = -1;
    QByteArray seen;
    const std::int64_t bytes = journal.readAll([&](std::int64_t n) { told = n; },
                                               [&](std::int64_t i, const StudentRecord& r) {
                                                   QCOMPARE(i * 73, std::int64_t(seen.size()));
                                                   seen += bytesOf(r);
                                               });
    QCOMPARE(told, 5000);
    QCOMPARE(bytes, whole.size() + 20);
    QCOMPARE(seen, whole);
    QVERIFY(!journal.isOpen());

    // A bench holding the journal: the reader gives up after its timeout,
    // and reads as soon as the bench lets go.
    ForeignLock bench(Path);
    journal.setLockTimeout(100);
    try {
        journal.readAll([](std::int64_t) {}, [](std::int64_t, const StudentRecord&) {});
        QFAIL("read under a bench's lock");
    } catch (const Exception& e) {
        QCOMPARE(e.message(), JournalLock::busyText());
    }
    bench.unlock();
    QCOMPARE(journal.readAll([](std::int64_t) {}, [](std::int64_t, const StudentRecord&) {}), whole.size() + 20);

    Journal missing(Scratch.filePath(QStringLiteral("none.dat")));
    QVERIFY_THROWS_EXCEPTION(EInOutError, missing.readAll([](std::int64_t) {}, [](std::int64_t, const StudentRecord&) {}));
}

void tst_Journal::writeStudentStaysOnTheRecordWritten()
{
    writeFile(Path, journalOf(3));
    Journal journal(Path);
    journal.open();
    journal.file().seek(1);
    journal.file().read(&journal.student());
    journal.file().seek(1);

    journal.student().setVerdictPassed();
    journal.WriteStudent();
    QCOMPARE(journal.file().filePos(), 1);
    journal.student().setDone(2);
    journal.WriteStudent();
    QCOMPARE(journal.file().filePos(), 1);

    const QByteArray expected = journalOf(1) + bytesOf(journal.student()) + journalOf(3).mid(146);
    QCOMPARE(readFile(Path), expected);
    journal.close();
    QVERIFY(!journal.isOpen());
}

void tst_Journal::findCodeAcrossBlocks_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index"); // -1: not found
    QTest::newRow("first") << 10000 << 1000 << 0;
    QTest::newRow("last of the first block") << 10000 << 1000 + 4095 << 4095;
    QTest::newRow("first of the second block") << 10000 << 1000 + 4096 << 4096;
    QTest::newRow("last record") << 10000 << 1000 + 9999 << 9999;
    QTest::newRow("not found") << 10000 << 7 << -1;
    QTest::newRow("not found, count a whole number of blocks") << 8192 << 7 << -1;
    QTest::newRow("one record") << 1 << 1000 << 0;
}

void tst_Journal::findCodeAcrossBlocks()
{
    QFETCH(int, count);
    QFETCH(int, code);
    QFETCH(int, index);
    const QByteArray bytes = journalOf(count);
    // A trailing partial record is not read.
    writeFile(Path, bytes + QByteArray(40, 'x'));
    Journal journal(Path);
    journal.open();
    QCOMPARE(journal.findCode(code), index >= 0);
    const int last = index >= 0 ? index : count - 1;
    QCOMPARE(journal.file().filePos(), index >= 0 ? index : count);
    QCOMPARE(bytesOf(journal.student()), bytes.mid(last * 73, 73));
}

void tst_Journal::findCodeInEmptyJournal()
{
    writeFile(Path, QByteArray(72, 'x'));
    Journal journal(Path);
    journal.student().setScore(5);
    const QByteArray before = bytesOf(journal.student());
    journal.open();
    QVERIFY(!journal.findCode(0));
    QCOMPARE(journal.file().filePos(), 0);
    QCOMPARE(bytesOf(journal.student()), before);
}

void tst_Journal::writeGivesUpWhenTheLockIsNotHad()
{
    writeFile(Path, journalOf(2));
    FakeClock clock;
    Journal journal(Path, clock);
    journal.setLockTimeout(300);
    journal.open();
    journal.file().seek(1);
    journal.student().setDone(1);
    ForeignLock other(Path);
    {
        try {
            journal.WriteStudent();
            QFAIL("written under another program's lock");
        } catch (const Exception& e) {
            QCOMPARE(e.message(), JournalLock::busyText());
        }
        // The whole timeout was waited for, on the journal's clock.
        QCOMPARE(clock.Slept, 300);
        QCOMPARE(readFile(Path), journalOf(2));
        QCOMPARE(journal.file().filePos(), 1);
    }
    other.unlock();
    journal.WriteStudent();
    QCOMPARE(readFile(Path).mid(73), bytesOf(journal.student()));
    QVERIFY(!other.lockedElsewhere());
    journal.close();
}

void tst_Journal::nestedLocksKeepTheFileLockedToTheOutermost()
{
    writeFile(Path, journalOf(1));
    Journal journal(Path);
    journal.open();
    ForeignLock probe(Path);
    probe.unlock();
    {
        JournalLock outer(journal);
        QVERIFY(probe.lockedElsewhere());
        journal.WriteStudent(); // takes and gives back an inner lock
        QVERIFY(probe.lockedElsewhere());
        outer.release();
        QVERIFY(!probe.lockedElsewhere());
    }
    {
        // A lock left by a failure is given back all the same.
        try {
            JournalLock outer(journal);
            throw EInOutError(EInOutError::DiskFull);
        } catch (const EInOutError&) {
        }
        QVERIFY(!probe.lockedElsewhere());
    }
    journal.close();
}

QTEST_GUILESS_MAIN(tst_Journal)
#include "tst_Journal.moc"
