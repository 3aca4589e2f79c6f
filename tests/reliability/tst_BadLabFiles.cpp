// The bench with damaged or missing files in its lab folder, driven
// through the real main window as a student drives it: what the student
// is shown, where the window stays, and that nothing already stored in the
// journal is lost. The rows of "What happens when..." in README.md name
// these tests.
#include "support/BankFixture.h"
#include "support/JournalFixture.h"
#include "support/WindowDriver.h"

#include "app/Unit1.h"

#include <QTextEdit>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace fixture;

namespace {

// A bank of n questions whose right answer is `right` in every record.
Bank bankOf(int n, int right)
{
    return bank(QStringLiteral("Вопрос"), n, [right](int) { return right; });
}

void readOnly(const QString& path)
{
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
}

} // namespace

class tst_BadLabFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void damagedJournalStillRegisters();
    void duplicateCodeFindsTheFirstRecord();
    void partialRecordIsWrittenOver();
    void codeThatDoesNotConvertIsPassedOver();
    void unusableFirstBankAtRegistration_data();
    void unusableFirstBankAtRegistration();
    void readOnlyBanksAreRead();
    void secondBankMissingAfterTheFifthQuestion();
    void rightAnswersOutOfRangeAreNeverRight();
    void damagedInstructionsAreReadAsFarAsTheyGo();
    void instructionsMissingAfterAPass();
    void fullDiskAtRegistration();

private:
    QString page() const { return Student->page(); }
    QByteArray journal() const { return Student->journalBytes(); }
    void setJournal(const QByteArray& bytes) const { writeFile(Student->file(QStringLiteral("Students.DAT")), bytes); }

    // The window is built by each test once the lab folder holds its files.
    std::unique_ptr<WindowDriver> Student;
};

void tst_BadLabFiles::init()
{
    Student = std::make_unique<WindowDriver>(WindowDriver::Setup {.StartNow = false});
}

void tst_BadLabFiles::cleanup()
{
    Student.reset();
}

void tst_BadLabFiles::damagedJournalStillRegisters()
{
    // Length bytes over their fields' capacity are read as the capacity:
    // the record is found by its code and its name is read no further
    // than its field.
    QByteArray damaged = record(QStringLiteral("Иванов"), "5") + record(QStringLiteral("Петров"), "6");
    damaged[73] = char(250);      // FIO length of record 1
    damaged[73 + 62] = char(200); // WorkMark length of record 1
    setJournal(damaged);
    Student->start();
    Student->registerStudent(QStringLiteral("Другое имя"), QStringLiteral("6"));
    QCOMPARE(Student->Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_2"));
    QCOMPARE(Student->form().journal().student().FIO.text(), QStringLiteral("Петров") + QString(24, QChar(0)));
    QCOMPARE(Student->form().journal().file().filePos(), 1);
    QCOMPARE(journal(), damaged);
}

void tst_BadLabFiles::duplicateCodeFindsTheFirstRecord()
{
    const QByteArray twice = record(QStringLiteral("Первый"), "7") + record(QStringLiteral("Второй"), "007");
    setJournal(twice);
    Student->start();
    Student->registerStudent(QStringLiteral("Третий"), QStringLiteral("07"));
    QCOMPARE(Student->Dialogs.take(), QStringList());
    QCOMPARE(Student->form().journal().student().FIO.text(), QStringLiteral("Первый"));
    QCOMPARE(journal(), twice);
}

void tst_BadLabFiles::partialRecordIsWrittenOver()
{
    // A registration stopped half-way left 40 bytes of a record.
    const QByteArray whole = record(QStringLiteral("Первый"), "1");
    setJournal(whole + record(QStringLiteral("Оборван"), "2").left(40));
    Student->start();
    Student->registerStudent(QStringLiteral("Новый"), QStringLiteral("3"));
    QCOMPARE(Student->Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_2"));
    const QByteArray after = journal();
    QCOMPARE(after.size(), 2 * 73);
    QCOMPARE(after.left(73), whole);
    QCOMPARE(toRecord(after.mid(73)).Shifr.text(), QStringLiteral("3"));
}

void tst_BadLabFiles::codeThatDoesNotConvertIsPassedOver()
{
    // A stored code that is no number never matches; the lookup goes on
    // past it and nothing stored changes.
    const QByteArray stored = record(QStringLiteral("Буквы"), "12a") + record(QStringLiteral("Число"), "12");
    setJournal(stored);
    Student->start();
    Student->registerStudent(QStringLiteral("Число"), QStringLiteral("12"));
    QCOMPARE(Student->Dialogs.take(), QStringList());
    QCOMPARE(Student->form().journal().file().filePos(), 1);
    QCOMPARE(journal(), stored);
}

void tst_BadLabFiles::unusableFirstBankAtRegistration_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: the bank is removed
    QTest::addColumn<QString>("error");
    QTest::newRow("missing") << QByteArray() << "File not found";
    QTest::newRow("empty") << QByteArray("") << "Read beyond end of file";
    QTest::newRow("partial record only") << bytesOf(bankOf(1, 1)).left(1000) << "Read beyond end of file";
}

void tst_BadLabFiles::unusableFirstBankAtRegistration()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const QString path = Student->file(QStringLiteral("Qest.txt"));
    QFile::remove(path);
    if (!bytes.isNull())
        writeFile(path, bytes);
    setJournal(record(QStringLiteral("Раньше"), "1"));
    Student->start();
    Student->registerStudent(QStringLiteral("Новиков"), QStringLiteral("2"));
    QCOMPARE(Student->Dialogs.take(), QStringList { QStringLiteral("error: ") + error });
    QCOMPARE(page(), QStringLiteral("1"));
    // The new student is stored already; a second press, with the bank
    // mended, finds the record and appends nothing.
    const QByteArray registered = record(QStringLiteral("Раньше"), "1") + record(QStringLiteral("Новиков"), "2");
    QCOMPARE(journal().size(), registered.size());
    QCOMPARE(toRecord(journal().mid(73)).Shifr.text(), QStringLiteral("2"));
    QFile::remove(path);
    QVERIFY(Student->copyFromLab(QStringLiteral("Qest.txt")));
    Student->click("dxfColorButton4");
    QCOMPARE(Student->Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_2"));
    QCOMPARE(journal().size(), registered.size());
}

void tst_BadLabFiles::readOnlyBanksAreRead()
{
    // The bench only reads the banks: read-only ones, as a class's students
    // have the instructor's, serve the whole test.
    writeFile(Student->file(QStringLiteral("Qest.txt")), bytesOf(bankOf(5, 1)));
    writeFile(Student->file(QStringLiteral("Qest1.txt")), bytesOf(bankOf(5, 2)));
    ::readOnly(Student->file(QStringLiteral("Qest.txt")));
    ::readOnly(Student->file(QStringLiteral("Qest1.txt")));
    Student->start();
    Student->startTest(QStringLiteral("Новиков"), QStringLiteral("2"));
    Student->ok(5);
    QCOMPARE(Student->Dialogs.take(), QStringList());
    QCOMPARE(Student->number(), QStringLiteral("Вопрос № 6"));
}

void tst_BadLabFiles::secondBankMissingAfterTheFifthQuestion()
{
    writeFile(Student->file(QStringLiteral("Qest.txt")), bytesOf(bankOf(4, 1)));
    QFile::remove(Student->file(QStringLiteral("Qest1.txt")));
    Student->start();
    Student->startTest(QStringLiteral("Новиков"), QStringLiteral("2"));
    Student->ok(5);
    QCOMPARE(Student->Dialogs.take(), QStringList { QStringLiteral("error: File not found") });
    QCOMPARE(Student->number(), QStringLiteral("Вопрос № 5"));
    QCOMPARE(page(), QStringLiteral("2"));

    // With the bank back, "OK" goes on to question 6 without judging
    // question 5 a second time: ten right answers store "10".
    writeFile(Student->file(QStringLiteral("Qest1.txt")), bytesOf(bankOf(4, 1)));
    Student->ok(1);
    QCOMPARE(Student->number(), QStringLiteral("Вопрос № 6"));
    Student->ok(5);
    QCOMPARE(Student->Dialogs.take(), QStringList { QStringLiteral("message: Правильных ответов - 10") });
    QCOMPARE(page(), QStringLiteral("3"));
    const StudentRecord r = toRecord(journal());
    QVERIFY(r.Verdict.equals(StudentRecord::VerdictPassed));
    QCOMPARE(r.Score.text(), QStringLiteral("10"));
}

void tst_BadLabFiles::rightAnswersOutOfRangeAreNeverRight()
{
    Student->writeBanks(bankOf(3, 7), bankOf(3, 0));
    Student->start();
    Student->startTest(QStringLiteral("Новиков"), QStringLiteral("2"));
    Student->ok(10);
    QCOMPARE(Student->Dialogs.take(),
             QStringList { QStringLiteral("message: Правильных ответов - 0- Уровень Ваших знаний очень низок") });
    QCOMPARE(Student->ProgramEnd.Ended, 1);
    const StudentRecord r = toRecord(journal());
    QVERIFY(r.Verdict.equals(StudentRecord::VerdictFailed));
    QCOMPARE(r.Score.text(), QStringLiteral("0"));
}

void tst_BadLabFiles::damagedInstructionsAreReadAsFarAsTheyGo()
{
    // Cut off in the middle of a group, with stray bytes and a picture
    // whose data breaks off: start-up shows what could be read.
    writeFile(Student->file(QStringLiteral("1.rtf")),
              QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cc\\'e5\\'f2\\'ee\\'e4\\'e8\\'ea\\'e0\\par{\\b\\'00\xff\xfe"
                         "{\\pict\\pngblip 89504e470d0a1a0a0000"));
    Student->start();
    QCOMPARE(Student->Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_1"));
    QVERIFY(Student->control<QTextEdit>("RichEdit1")->toPlainText().startsWith(QStringLiteral("Методика")));
}

void tst_BadLabFiles::instructionsMissingAfterAPass()
{
    Student->writeBanks(bankOf(2, 1), bankOf(2, 1));
    Student->start();
    Student->startTest(QStringLiteral("Новиков"), QStringLiteral("2"));
    Student->ok(9);
    QFile::remove(Student->file(QStringLiteral("1.rtf")));
    Student->ok(1);
    // The result, the failed load, and the bench all the same.
    QCOMPARE(Student->Dialogs.take(), (QStringList { QStringLiteral("message: Правильных ответов - 10"),
                                            QStringLiteral("error: Cannot open file ") + Student->file(QStringLiteral("1.rtf")) }));
    QCOMPARE(page(), QStringLiteral("3"));
    QVERIFY(toRecord(journal()).Verdict.equals(StudentRecord::VerdictPassed));
}

void tst_BadLabFiles::fullDiskAtRegistration()
{
    // No room for one more record in the journal's folder: a file-size
    // limit stands in for the full disk.
    const QByteArray stored = record(QStringLiteral("Первый"), "1") + record(QStringLiteral("Второй"), "2");
    setJournal(stored);
    Student->start();
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit full = old;
    full.rlim_cur = rlim_t(stored.size() + 20);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &full) == 0);
    Student->registerStudent(QStringLiteral("Третий"), QStringLiteral("3"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    QCOMPARE(Student->Dialogs.take(), QStringList { QStringLiteral("error: Disk full") });
    QCOMPARE(page(), QStringLiteral("1"));
    QCOMPARE(journal().left(stored.size()), stored);

    // With room again a second press registers, over the bytes left.
    Student->click("dxfColorButton4");
    QCOMPARE(Student->Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_2"));
    QCOMPARE(journal().size(), stored.size() + 73);
    QCOMPARE(journal().left(stored.size()), stored);
}

QTEST_MAIN(tst_BadLabFiles)
#include "tst_BadLabFiles.moc"
