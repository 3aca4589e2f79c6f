// The changes between two states of a journal: every change a bench makes
// is written here by the bench's own journal code and must not be marked;
// every change no bench makes is built byte by byte and must be.
#include "support/JournalFixture.h"

#include "journal/Journal.h"
#include "journal/Grading.h"
#include "journal/JournalDiff.h"
#include "journal/Registration.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace fixture;

namespace {

// Records built on first use: the stored values they take are constants of
// the journal library, made ready only once the program runs.
#define RECORD(name, ...)                                                                                    \
    const QByteArray& name()                                                                                \
    {                                                                                                       \
        static const QByteArray r = record(__VA_ARGS__);                                                    \
        return r;                                                                                           \
    }
RECORD(ivanov, QStringLiteral("Иванов И.И."), "1001")
RECORD(petrov, QStringLiteral("Петров П.П."), "1002")
RECORD(sidorov, QStringLiteral("Сидоров С.С."), "1003")
RECORD(failed4, QStringLiteral("Иванов И.И."), "1001", "4", StudentRecord::VerdictFailed)
RECORD(passed8, QStringLiteral("Иванов И.И."), "1001", "8", StudentRecord::VerdictPassed)
RECORD(allDone, QStringLiteral("Иванов И.И."), "1001", "8", StudentRecord::VerdictPassed, "++++++",
       StudentRecord::WorkDone)
#undef RECORD

// The journal `before`, then what the bench's journal code makes of it.
QByteArray byBench(const QByteArray& before, const std::function<void(Journal&)>& steps)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Students.DAT"));
    writeFile(path, before);
    Journal journal(path);
    steps(journal);
    if (journal.isOpen())
        journal.close();
    return readFile(path);
}

// A student registers (or is found) and the test ends with `right`
// answers: "зачeт" first, then on a fail "незачeт", as the test run
// stores them; `firstWriteOnly` stops between the two writes.
std::function<void(Journal&)> test(const char* code, int right, bool firstWriteOnly = false)
{
    return [=](Journal& j) {
        Registration(QStringLiteral("Иванов И.И."), QString::fromLatin1(code), j).run();
        j.student().setVerdictPassed();
        j.student().setScore(right);
        j.WriteStudent();
        if (!Grading::passes(right) && !firstWriteOnly) {
            j.student().setVerdictFailed();
            j.student().setScore(right);
            j.WriteStudent();
        }
    };
}

std::function<void(Journal&)> measure(const char* code, QList<int> ks)
{
    return [=](Journal& j) {
        Registration(QString(), QString::fromLatin1(code), j).run();
        for (int k : ks) {
            j.student().setDone(k);
            j.student().markWorkIfComplete();
            j.WriteStudent();
        }
    };
}

std::function<void(Journal&)> registers(const char* name, const char* code)
{
    return [=](Journal& j) { Registration(QString::fromUtf8(name), QString::fromLatin1(code), j).run(); };
}

QByteArray withField(QByteArray r, int offset, const QByteArray& field)
{
    return r.replace(offset, int(field.size()), field);
}

QString kindsOf(const std::vector<JournalChange>& changes)
{
    static const char* const Names[] = { "Added",       "TestResult", "Measured",      "WorkMarked",
                                         "PartialTail", "HiddenBytes", "Removed",      "CutOff",
                                         "Moved",       "Inserted",   "NameChanged",   "CodeChanged",
                                         "ResultChanged", "MarkTaken", "WorkMarkTaken", "OddValue" };
    QStringList names;
    for (const JournalChange& c : changes)
        names << QStringLiteral("%1@%2").arg(QLatin1String(Names[c.What])).arg(c.Record);
    return names.join(QLatin1Char(' '));
}

} // namespace

class tst_JournalDiff : public QObject
{
    Q_OBJECT

private slots:
    void changes_data();
    void changes();
    void linesAndAccountName();
};

void tst_JournalDiff::changes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("kinds");

    // What a bench does, through the bench's own code: never marked.
    QTest::newRow("first registration") << QByteArray() << byBench({}, registers("Иванов И.И.", "1001"))
                                        << "Added@0";
    // The new record carries bytes of the last record read behind its
    // values, as registration leaves them.
    const QByteArray sidorov10 = record(QStringLiteral("Сидоров С.С."), "1003", "10", StudentRecord::VerdictPassed);
    QTest::newRow("registration appends") << ivanov() + sidorov10
                                          << byBench(ivanov() + sidorov10, registers("Петров П.П.", "1002"))
                                          << "Added@2";
    QTest::newRow("a registration over a partial record")
        << ivanov() + petrov().left(30) << byBench(ivanov() + petrov().left(30), registers("Петров П.П.", "1002"))
        << "Added@1";
    QTest::newRow("returning student closes the test") << ivanov() + petrov() << byBench(ivanov() + petrov(), [](Journal& j) {
        Registration(QStringLiteral("Другое имя"), QStringLiteral("1002"), j).run();
        j.WriteStudent();
    }) << "";
    QTest::newRow("test passed") << ivanov() << byBench(ivanov(), test("1001", 8)) << "TestResult@0";
    QTest::newRow("ten right answers") << ivanov() << byBench(ivanov(), test("1001", 10)) << "TestResult@0";
    QTest::newRow("test failed") << ivanov() << byBench(ivanov(), test("1001", 4)) << "TestResult@0";
    QTest::newRow("failed one short of the pass mark")
        << ivanov() << byBench(ivanov(), test("1001", Grading::PassMark - 1)) << "TestResult@0";
    QTest::newRow("passed at the pass mark")
        << ivanov() << byBench(ivanov(), test("1001", Grading::PassMark)) << "TestResult@0";
    QTest::newRow("failed, seen between its two writes")
        << ivanov() << byBench(ivanov(), test("1001", 4, true)) << "TestResult@0";
    QTest::newRow("failed, the second write")
        << byBench(ivanov(), test("1001", 4, true)) << byBench(ivanov(), test("1001", 4)) << "TestResult@0";
    QTest::newRow("a failed student passes again") << failed4() << byBench(failed4(), test("1001", 9)) << "TestResult@0";
    QTest::newRow("a passed student fails again, keeping the flags")
        << allDone() << byBench(allDone(), test("1001", 3)) << "TestResult@0";
    QTest::newRow("a measurement") << passed8() << byBench(passed8(), measure("1001", { 3 })) << "Measured@0";
    QTest::newRow("the last measurement marks the work")
        << passed8() << byBench(passed8(), measure("1001", { 1, 2, 3, 4, 5, 6 })) << "Measured@0 WorkMarked@0";
    QTest::newRow("a measurement done again") << allDone() << byBench(allDone(), measure("1001", { 2 })) << "";
    QTest::newRow("a new student's whole work since")
        << ivanov() << byBench(ivanov(), [](Journal& j) {
               test("1002", 9)(j);
               measure("1002", { 1, 2 })(j);
           }) << "Added@1";
    QTest::newRow("a write cut off at the end") << ivanov() << ivanov() + petrov().left(40) << "PartialTail@1";
    QTest::newRow("only bytes behind the values")
        << ivanov() << withField(ivanov(), 20, "x") << "HiddenBytes@0";

    // What no bench does: always marked.
    QTest::newRow("the last record removed") << ivanov() + petrov() << ivanov() << "Removed@1";
    QTest::newRow("a record removed among others")
        << ivanov() + petrov() + sidorov() << ivanov() + sidorov() << "Moved@1 Removed@1";
    QTest::newRow("the journal emptied") << ivanov() + petrov() << QByteArray() << "Removed@0 Removed@1";
    QTest::newRow("the last record cut off") << ivanov() + petrov() << ivanov() + petrov().left(30) << "CutOff@1";
    QTest::newRow("records moved") << ivanov() + petrov() << petrov() + ivanov() << "Moved@0 Moved@1";
    QTest::newRow("a record put among the stored ones")
        << ivanov() + petrov() << ivanov() + sidorov() + petrov() << "Inserted@1 Moved@2";
    QTest::newRow("a name changed") << ivanov() << record(QStringLiteral("Иванова И.И."), "1001") << "NameChanged@0";
    QTest::newRow("a code changed") << ivanov() << record(QStringLiteral("Иванов И.И."), "1004") << "CodeChanged@0";
    QTest::newRow("a failed score raised")
        << failed4() << record(QStringLiteral("Иванов И.И."), "1001", "9", StudentRecord::VerdictFailed)
        << "ResultChanged@0";
    QTest::newRow("a pass with the Cyrillic е")
        << failed4() << record(QStringLiteral("Иванов И.И."), "1001", "9", cp(QStringLiteral("зачет")))
        << "ResultChanged@0";
    QTest::newRow("a result taken back") << passed8() << ivanov() << "ResultChanged@0";
    QTest::newRow("a score without a test") << ivanov() << record(QStringLiteral("Иванов И.И."), "1001", "7")
                                            << "ResultChanged@0";
    QTest::newRow("a fail at the pass mark")
        << failed4() << record(QStringLiteral("Иванов И.И."), "1001", "7", StudentRecord::VerdictFailed)
        << "ResultChanged@0";
    QTest::newRow("more right answers than questions")
        << failed4() << record(QStringLiteral("Иванов И.И."), "1001", "11", StudentRecord::VerdictPassed)
        << "ResultChanged@0";
    QTest::newRow("a score no test writes")
        << failed4() << record(QStringLiteral("Иванов И.И."), "1001", "07", StudentRecord::VerdictPassed)
        << "ResultChanged@0";
    QTest::newRow("a measurement mark taken away")
        << record(QStringLiteral("Иванов И.И."), "1001", "8", StudentRecord::VerdictPassed, "++----")
        << record(QStringLiteral("Иванов И.И."), "1001", "8", StudentRecord::VerdictPassed, "+-----")
        << "MarkTaken@0";
    QTest::newRow("the work mark taken away")
        << allDone() << record(QStringLiteral("Иванов И.И."), "1001", "8", StudentRecord::VerdictPassed, "++++++")
        << "WorkMarkTaken@0";
    QTest::newRow("the work mark without the measurements")
        << passed8()
        << record(QStringLiteral("Иванов И.И."), "1001", "8", StudentRecord::VerdictPassed, "------",
                  StudentRecord::WorkDone)
        << "OddValue@0";
    QTest::newRow("a flag no bench sets")
        << passed8() << record(QStringLiteral("Иванов И.И."), "1001", "8", StudentRecord::VerdictPassed, "--x---")
        << "OddValue@0";
    QTest::newRow("a record appended with a result no test writes")
        << ivanov() << ivanov() + record(QStringLiteral("Петров П.П."), "1002", "9", StudentRecord::VerdictFailed)
        << "Added@1 OddValue@1";
}

void tst_JournalDiff::changes()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, kinds);
    const std::vector<JournalChange> changes = JournalDiff::compare(JournalContent(before), JournalContent(after));
    QCOMPARE(kindsOf(changes), kinds);
    // A row is marked as a whole exactly when one of its changes is one no
    // bench makes, and a bench's own write never is.
    const bool foreign = !kinds.isEmpty()
        && !QRegularExpression(QStringLiteral("^((Added|TestResult|Measured|WorkMarked|PartialTail|HiddenBytes)@\\d+ ?)*$"))
                .match(kinds)
                .hasMatch();
    QCOMPARE(JournalDiff::anyForeign(changes), foreign);
    for (const JournalChange& c : changes)
        QCOMPARE(c.line().startsWith(QStringLiteral("⚠")), c.foreign());
}

void tst_JournalDiff::linesAndAccountName()
{
    // A raised score and a cut-off record, as the instructor reads them.
    const QByteArray before = failed4() + petrov();
    const QByteArray after =
        record(QStringLiteral("Иванов И.И."), "1001", "9", cp(QStringLiteral("зачет"))) + petrov().left(30);
    const std::vector<JournalChange> changes = JournalDiff::compare(JournalContent(before), JournalContent(after));
    QCOMPARE(changes.size(), size_t(2));
    QCOMPARE(changes[0].line(),
             QStringLiteral("⚠ запись 0 (Иванов И.И., шифр 1001): тест: незачёт, балл 4 → «зачет», балл 9, "
                            "такого результата тест не записывает"));
    QCOMPARE(changes[1].line(), QStringLiteral("⚠ запись 1 (Петров П.П., шифр 1002): обрезана: осталось 30 байт из 73"));
    QCOMPARE(JournalDiff::account(changes),
             QStringLiteral("⚠ не со стенда: запись 0 — балл/допуск; запись 1 — обрезана"));

    // Bench changes are counted; the foreign ones beyond the first three
    // are counted too.
    const QByteArray five = ivanov() + petrov() + sidorov() + passed8() + failed4();
    const std::vector<JournalChange> many =
        JournalDiff::compare(JournalContent(five), JournalContent(byBench(ivanov(), test("1001", 8)) + petrov().left(10)));
    QCOMPARE(JournalDiff::account(many),
             QStringLiteral("тест 1; ⚠ не со стенда: запись 1 — обрезана; запись 2 — удалена; запись 3 — удалена; и ещё 1"));
    QCOMPARE(JournalDiff::account({}), QStringLiteral("без изменений"));
}

QTEST_GUILESS_MAIN(tst_JournalDiff)
#include "tst_JournalDiff.moc"
