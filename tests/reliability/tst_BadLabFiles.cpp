// The bench with damaged or missing files in its lab folder, driven
// through the real main window as a student drives it: what the student
// is shown, where the window stays, and that nothing already stored in the
// journal is lost. The rows of "What happens when..." in README.md name
// these tests.
#include "support/JournalFixture.h"

#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeProgramEnd.h"
#include "support/LabFolder.h"
#include "admission/QuestionRecord.h"
#include "platform/controls/TNotebook.h"
#include "widgets/glLabel/TglStaticText.h"
#include "app/Unit1.h"

#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace fixture;

namespace {

// A bank of n questions whose right answer is `right` in every record.
QByteArray bank(int n, int right)
{
    QByteArray out;
    for (int k = 0; k < n; ++k) {
        QuestionRecord r {};
        r.RightAnswer = right;
        r.Question.set(QStringLiteral("Вопрос %1").arg(k));
        for (int a = 1; a <= 4; ++a)
            r.answer(a).set(QStringLiteral("Ответ %1").arg(a));
        out += QByteArray(reinterpret_cast<const char*>(&r), sizeof r);
    }
    return out;
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
    void secondBankMissingAfterTheFifthQuestion();
    void rightAnswersOutOfRangeAreNeverRight();
    void damagedInstructionsAreReadAsFarAsTheyGo();
    void instructionsMissingAfterAPass();
    void fullDiskAtRegistration();

private:
    void start();
    void press(const char* name);
    void registerAs(const QString& fio, const QString& code);
    void answer(int questions);
    QString page() const;
    QString question() const;
    QByteArray journal() const { return readFile(Lab->file(QStringLiteral("Students.DAT"))); }
    void setJournal(const QByteArray& bytes) const { writeFile(Lab->file(QStringLiteral("Students.DAT")), bytes); }

    std::unique_ptr<LabFolder> Lab;
    FakeDialogs Dialogs;
    FakeClock Clock;
    FakeProgramEnd End;
    std::unique_ptr<TForm1> Form;
};

void tst_BadLabFiles::init()
{
    Lab = std::make_unique<LabFolder>();
    Dialogs.take();
    End.Ended = 0;
}

void tst_BadLabFiles::cleanup()
{
    Form.reset();
    Lab.reset();
}

void tst_BadLabFiles::start()
{
    Form = std::make_unique<TForm1>(Dialogs, Clock, End);
    Form->show();
}

void tst_BadLabFiles::press(const char* name)
{
    auto* control = Form->findChild<QWidget*>(QLatin1String(name));
    QVERIFY2(control, name);
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

void tst_BadLabFiles::registerAs(const QString& fio, const QString& code)
{
    if (page() == QLatin1String("1_1"))
        press("dxfColorButton2");
    Form->findChild<QLineEdit*>(QStringLiteral("EFIO"))->setText(fio);
    Form->findChild<QLineEdit*>(QStringLiteral("EShifr"))->setText(code);
    press("dxfColorButton4");
}

// "OK" on as many questions; the first box, checked from the start,
// stays the answer.
void tst_BadLabFiles::answer(int questions)
{
    if (page() == QLatin1String("1_2"))
        press("dxfColorButton3");
    for (int i = 0; i < questions; ++i)
        press("glSpeedButton1");
}

QString tst_BadLabFiles::page() const
{
    return Form->findChild<TNotebook*>(QStringLiteral("Nb1"))->ActivePage();
}

QString tst_BadLabFiles::question() const
{
    return Form->findChild<TglStaticText*>(QStringLiteral("ST1"))->Caption();
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
    start();
    registerAs(QStringLiteral("Другое имя"), QStringLiteral("6"));
    QCOMPARE(Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_2"));
    QCOMPARE(Form->journal().student().FIO.text(), QStringLiteral("Петров") + QString(24, QChar(0)));
    QCOMPARE(Form->journal().file().filePos(), 1);
    QCOMPARE(journal(), damaged);
}

void tst_BadLabFiles::duplicateCodeFindsTheFirstRecord()
{
    const QByteArray twice = record(QStringLiteral("Первый"), "7") + record(QStringLiteral("Второй"), "007");
    setJournal(twice);
    start();
    registerAs(QStringLiteral("Третий"), QStringLiteral("07"));
    QCOMPARE(Dialogs.take(), QStringList());
    QCOMPARE(Form->journal().student().FIO.text(), QStringLiteral("Первый"));
    QCOMPARE(journal(), twice);
}

void tst_BadLabFiles::partialRecordIsWrittenOver()
{
    // A registration stopped half-way left 40 bytes of a record.
    const QByteArray whole = record(QStringLiteral("Первый"), "1");
    setJournal(whole + record(QStringLiteral("Оборван"), "2").left(40));
    start();
    registerAs(QStringLiteral("Новый"), QStringLiteral("3"));
    QCOMPARE(Dialogs.take(), QStringList());
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
    start();
    registerAs(QStringLiteral("Число"), QStringLiteral("12"));
    QCOMPARE(Dialogs.take(), QStringList());
    QCOMPARE(Form->journal().file().filePos(), 1);
    QCOMPARE(journal(), stored);
}

void tst_BadLabFiles::unusableFirstBankAtRegistration_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty with readOnly false: the bank is removed
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing") << QByteArray() << false << "File not found";
    QTest::newRow("empty") << QByteArray("") << false << "Read beyond end of file";
    QTest::newRow("partial record only") << bank(1, 1).left(1000) << false << "Read beyond end of file";
    QTest::newRow("read-only") << bank(3, 1) << true << "File access denied";
}

void tst_BadLabFiles::unusableFirstBankAtRegistration()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readOnly);
    QFETCH(QString, error);
    const QString path = Lab->file(QStringLiteral("Qest.txt"));
    QFile::remove(path);
    if (!bytes.isNull())
        writeFile(path, bytes);
    if (readOnly)
        ::readOnly(path);
    setJournal(record(QStringLiteral("Раньше"), "1"));
    start();
    registerAs(QStringLiteral("Новиков"), QStringLiteral("2"));
    QCOMPARE(Dialogs.take(), QStringList { QStringLiteral("error: ") + error });
    QCOMPARE(page(), QStringLiteral("1"));
    // The new student is stored already; a second press, with the bank
    // mended, finds the record and appends nothing.
    const QByteArray registered = record(QStringLiteral("Раньше"), "1") + record(QStringLiteral("Новиков"), "2");
    QCOMPARE(journal().size(), registered.size());
    QCOMPARE(toRecord(journal().mid(73)).Shifr.text(), QStringLiteral("2"));
    QFile::remove(path);
    QVERIFY(Lab->copyFromLab(QStringLiteral("Qest.txt")));
    press("dxfColorButton4");
    QCOMPARE(Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_2"));
    QCOMPARE(journal().size(), registered.size());
}

void tst_BadLabFiles::secondBankMissingAfterTheFifthQuestion()
{
    writeFile(Lab->file(QStringLiteral("Qest.txt")), bank(4, 1));
    QFile::remove(Lab->file(QStringLiteral("Qest1.txt")));
    start();
    registerAs(QStringLiteral("Новиков"), QStringLiteral("2"));
    answer(5);
    QCOMPARE(Dialogs.take(), QStringList { QStringLiteral("error: File not found") });
    QCOMPARE(question(), QStringLiteral("Вопрос № 5"));
    QCOMPARE(page(), QStringLiteral("2"));

    // With the bank back, "OK" goes on to question 6 without judging
    // question 5 a second time: ten right answers store "10".
    writeFile(Lab->file(QStringLiteral("Qest1.txt")), bank(4, 1));
    answer(1);
    QCOMPARE(question(), QStringLiteral("Вопрос № 6"));
    answer(5);
    QCOMPARE(Dialogs.take(), QStringList { QStringLiteral("message: Правильных ответов - 10") });
    QCOMPARE(page(), QStringLiteral("3"));
    const StudentRecord r = toRecord(journal());
    QVERIFY(r.Verdict.equals(StudentRecord::VerdictPassed));
    QCOMPARE(r.Score.text(), QStringLiteral("10"));
}

void tst_BadLabFiles::rightAnswersOutOfRangeAreNeverRight()
{
    writeFile(Lab->file(QStringLiteral("Qest.txt")), bank(3, 7));
    writeFile(Lab->file(QStringLiteral("Qest1.txt")), bank(3, 0));
    start();
    registerAs(QStringLiteral("Новиков"), QStringLiteral("2"));
    answer(10);
    QCOMPARE(Dialogs.take(),
             QStringList { QStringLiteral("message: Правильных ответов - 0- Уровень Ваших знаний очень низок") });
    QCOMPARE(End.Ended, 1);
    const StudentRecord r = toRecord(journal());
    QVERIFY(r.Verdict.equals(StudentRecord::VerdictFailed));
    QCOMPARE(r.Score.text(), QStringLiteral("0"));
}

void tst_BadLabFiles::damagedInstructionsAreReadAsFarAsTheyGo()
{
    // Cut off in the middle of a group, with stray bytes and a picture
    // whose data breaks off: start-up shows what could be read.
    writeFile(Lab->file(QStringLiteral("1.rtf")),
              QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cc\\'e5\\'f2\\'ee\\'e4\\'e8\\'ea\\'e0\\par{\\b\\'00\xff\xfe"
                         "{\\pict\\pngblip 89504e470d0a1a0a0000"));
    start();
    QCOMPARE(Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_1"));
    QVERIFY(Form->findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->toPlainText().startsWith(QStringLiteral("Методика")));
}

void tst_BadLabFiles::instructionsMissingAfterAPass()
{
    writeFile(Lab->file(QStringLiteral("Qest.txt")), bank(2, 1));
    writeFile(Lab->file(QStringLiteral("Qest1.txt")), bank(2, 1));
    start();
    registerAs(QStringLiteral("Новиков"), QStringLiteral("2"));
    answer(9);
    QFile::remove(Lab->file(QStringLiteral("1.rtf")));
    answer(1);
    // The result, the failed load, and the bench all the same.
    QCOMPARE(Dialogs.take(), (QStringList { QStringLiteral("message: Правильных ответов - 10"),
                                            QStringLiteral("error: Cannot open file ") + Lab->file(QStringLiteral("1.rtf")) }));
    QCOMPARE(page(), QStringLiteral("3"));
    QVERIFY(toRecord(journal()).Verdict.equals(StudentRecord::VerdictPassed));
}

void tst_BadLabFiles::fullDiskAtRegistration()
{
    // No room for one more record in the journal's folder: a file-size
    // limit stands in for the full disk.
    const QByteArray stored = record(QStringLiteral("Первый"), "1") + record(QStringLiteral("Второй"), "2");
    setJournal(stored);
    start();
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit full = old;
    full.rlim_cur = rlim_t(stored.size() + 20);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &full) == 0);
    registerAs(QStringLiteral("Третий"), QStringLiteral("3"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    QCOMPARE(Dialogs.take(), QStringList { QStringLiteral("error: Disk full") });
    QCOMPARE(page(), QStringLiteral("1"));
    QCOMPARE(journal().left(stored.size()), stored);

    // With room again a second press registers, over the bytes left.
    press("dxfColorButton4");
    QCOMPARE(Dialogs.take(), QStringList());
    QCOMPARE(page(), QStringLiteral("1_2"));
    QCOMPARE(journal().size(), stored.size() + 73);
    QCOMPARE(journal().left(stored.size()), stored);
}

QTEST_MAIN(tst_BadLabFiles)
#include "tst_BadLabFiles.moc"
