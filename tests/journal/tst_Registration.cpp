// Registration of a student in the journal of the current directory: the
// records it leaves byte for byte, and every refusal leaving the journal
// untouched so that the student can simply try again.
#include "support/FakeClock.h"
#include "support/ForeignLock.h"
#include "support/JournalFixture.h"
#include "support/ScratchJournal.h"

#include "platform/EConvertError.h"
#include "platform/EInOutError.h"
#include "journal/Journal.h"
#include "journal/JournalLock.h"
#include "journal/Registration.h"

#include <QDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace fixture;

namespace {

const QString Name = QStringLiteral("Students.DAT");

// Runs a registration that must fail; returns its message.
QString failure(const QString& fio, const QString& shifr, Journal& journal)
{
    try {
        Registration(fio, shifr, journal).run();
    } catch (const Exception& e) {
        return e.message();
    }
    return QStringLiteral("(no failure)");
}

} // namespace

class tst_Registration : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstRegistrationCreatesTheJournal();
    void knownCodeWritesNothing_data();
    void knownCodeWritesNothing();
    void storedCodeWrittenOtherwiseIsFound_data();
    void storedCodeWrittenOtherwiseIsFound();
    void newStudentAfterALookupCarriesLeftOverBytes();
    void newStudentOverwritesAPartialRecord();
    void surnameIsCutToThirtyCharacters();
    void theSameJournalRegistersAgain();

    void readOnlyJournalIsRefused();
    void unwritableFolderIsRefused();
    void codeThatDoesNotConvertIsRefused_data();
    void codeThatDoesNotConvertIsRefused();
    void codeLongerThanTheFieldIsRefused();
    void damagedStoredCodeDoesNotMatch();
    void busyJournalIsRefusedAndASecondPressWorks();

private:
    ScratchJournal Scratch;
};

void tst_Registration::init()
{
    // The journal is opened by its bare name, in the current directory.
    QVERIFY(Scratch.fresh());
    QVERIFY(Scratch.enter());
}

void tst_Registration::cleanup()
{
    ::chmod(QFile::encodeName(Scratch.path()).constData(), 0755);
    QFile::setPermissions(Name, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(Name);
    Scratch.leave();
}

void tst_Registration::firstRegistrationCreatesTheJournal()
{
    Journal journal;
    QCOMPARE(Registration(QStringLiteral("Иванов И.И."), QStringLiteral("123456"), journal).run(),
             Registration::Added);
    const QByteArray expected = QByteArray::fromHex("0B") + cp(QStringLiteral("Иванов И.И.")) + QByteArray(19, 0)
        + QByteArray::fromHex("06") + "123456" + QByteArray::fromHex("013000")
        + QByteArray::fromHex("08EDE520E7E0F7E5F2") + QByteArray::fromHex("012D012D012D012D012D012D")
        + QByteArray(11, 0);
    QCOMPARE(expected.size(), 73);
    QCOMPARE(readFile(Scratch.filePath(Name)), expected);
    QCOMPARE(bytesOf(journal.student()), expected);
    QVERIFY(journal.isOpen());
    QCOMPARE(journal.file().filePos(), 0);
}

void tst_Registration::knownCodeWritesNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("as stored") << QStringLiteral("7");
    QTest::newRow("leading zeros") << QStringLiteral("007");
    QTest::newRow("blank and sign") << QStringLiteral(" +7");
}

void tst_Registration::knownCodeWritesNothing()
{
    QFETCH(QString, typed);
    const QByteArray stored = record(QStringLiteral("Аксёнов А.А."), "1")
        + record(QStringLiteral("Петров П.П."), "7", "8", StudentRecord::VerdictPassed, "++-+--")
        + record(QStringLiteral("Сидоров С.С."), "9");
    writeFile(Name, stored);
    Journal journal;
    QCOMPARE(Registration(QStringLiteral("Кто-то другой"), typed, journal).run(), Registration::Found);
    QCOMPARE(readFile(Name), stored);
    QCOMPARE(bytesOf(journal.student()), stored.mid(73, 73));
    QCOMPARE(journal.file().filePos(), 1);
}

void tst_Registration::storedCodeWrittenOtherwiseIsFound_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("at");    // the record that holds it
    QTest::addColumn<int>("count"); // records in the journal
    // The lookup reads the journal 1024 records at a time.
    for (const char* code : {"007", " 7", "+7"}) {
        QTest::addRow("'%s', second record", code) << QByteArray(code) << 1 << 3;
        QTest::addRow("'%s', last record of a lookup block", code) << QByteArray(code) << 1023 << 1030;
    }
}

void tst_Registration::storedCodeWrittenOtherwiseIsFound()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, at);
    QFETCH(int, count);
    QByteArray journalBytes;
    for (int i = 0; i < count; ++i)
        journalBytes += i == at ? record(QStringLiteral("Петров П.П."), stored, "8", StudentRecord::VerdictPassed)
                                : record(QStringLiteral("Студент %1").arg(i), QByteArray::number(1000 + i));
    writeFile(Name, journalBytes);
    Journal journal;
    QCOMPARE(Registration(QStringLiteral("Кто-то другой"), QStringLiteral("7"), journal).run(), Registration::Found);
    QCOMPARE(journal.file().filePos(), at);
    QCOMPARE(bytesOf(journal.student()), journalBytes.mid(at * 73, 73));
    QCOMPARE(readFile(Name), journalBytes);
}

void tst_Registration::newStudentAfterALookupCarriesLeftOverBytes()
{
    const QByteArray last = record(QStringLiteral("Константинопольский К.К."), "654321", "10",
                                   StudentRecord::VerdictPassed, "++++++", StudentRecord::WorkDone);
    const QByteArray stored = record(QStringLiteral("Аксёнов А.А."), "1") + last;
    writeFile(Name, stored);
    Journal journal;
    QCOMPARE(Registration(QStringLiteral("Ли"), QStringLiteral("42"), journal).run(), Registration::Added);

    // The new texts over the bytes of the last record read.
    QByteArray expected = last;
    expected.replace(0, 3, QByteArray(1, 2) + cp(QStringLiteral("Ли")));
    expected.replace(31, 3, QByteArray("\x02" "42", 3));
    expected.replace(38, 2, QByteArray("\x01" "0", 2));
    expected.replace(41, 9, QByteArray::fromHex("08EDE520E7E0F7E5F2"));
    for (int at = 50; at < 62; at += 2)
        expected.replace(at, 2, QByteArray("\x01-", 2));
    expected[62] = 0;
    QCOMPARE(readFile(Name), stored + expected);
    QCOMPARE(journal.file().filePos(), 2);

    // A reader honouring the lengths sees the right values.
    const StudentRecord added = toRecord(readFile(Name).mid(146));
    QCOMPARE(added.FIO.text(), QStringLiteral("Ли"));
    QCOMPARE(added.Shifr.text(), QStringLiteral("42"));
    QCOMPARE(added.Score.text(), QStringLiteral("0"));
    QCOMPARE(added.WorkMark.text(), QString());
}

void tst_Registration::newStudentOverwritesAPartialRecord()
{
    const QByteArray stored = record(QStringLiteral("А"), "1") + record(QStringLiteral("Б"), "2");
    writeFile(Name, stored + QByteArray(30, '\xFF'));
    Journal journal;
    QCOMPARE(Registration(QStringLiteral("В"), QStringLiteral("3"), journal).run(), Registration::Added);
    const QByteArray after = readFile(Name);
    QCOMPARE(after.size(), 3 * 73);
    QCOMPARE(after.left(146), stored);
    QCOMPARE(toRecord(after.mid(146)).Shifr.text(), QStringLiteral("3"));
    QCOMPARE(journal.file().filePos(), 2);
}

void tst_Registration::surnameIsCutToThirtyCharacters()
{
    const QString longName = QStringLiteral("Александров-Константинопольский А.А.");
    QVERIFY(longName.size() > 30);
    Journal journal;
    Registration(longName, QStringLiteral("5"), journal).run();
    QCOMPARE(readFile(Name).left(31), QByteArray(1, 30) + cp(longName.left(30)));
}

void tst_Registration::theSameJournalRegistersAgain()
{
    // A second press binds and opens the journal anew; the position then
    // is that of the second student.
    Journal journal;
    Registration(QStringLiteral("А"), QStringLiteral("1"), journal).run();
    Registration(QStringLiteral("Б"), QStringLiteral("2"), journal).run();
    QCOMPARE(journal.file().filePos(), 1);
    QCOMPARE(Registration(QStringLiteral("В"), QStringLiteral("01"), journal).run(), Registration::Found);
    QCOMPARE(journal.file().filePos(), 0);
    QCOMPARE(journal.student().FIO.text(), QStringLiteral("А"));
    QCOMPARE(readFile(Name).size(), 2 * 73);
}

void tst_Registration::readOnlyJournalIsRefused()
{
    const QByteArray stored = record(QStringLiteral("А"), "1");
    writeFile(Name, stored);
    QVERIFY(QFile::setPermissions(Name, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    Journal journal;
    QCOMPARE(failure(QStringLiteral("Б"), QStringLiteral("2"), journal), QStringLiteral("File access denied"));
    QCOMPARE(readFile(Name), stored);

    // Made writable again, the same press goes through.
    QVERIFY(QFile::setPermissions(Name, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(Registration(QStringLiteral("Б"), QStringLiteral("2"), journal).run(), Registration::Added);
}

void tst_Registration::unwritableFolderIsRefused()
{
    QVERIFY(::chmod(QFile::encodeName(Scratch.path()).constData(), 0555) == 0);
    Journal journal;
    QCOMPARE(failure(QStringLiteral("А"), QStringLiteral("1"), journal), QStringLiteral("File access denied"));
    QVERIFY(!QFile::exists(Name));
}

void tst_Registration::codeThatDoesNotConvertIsRefused_data()
{
    QTest::addColumn<QByteArray>("stored"); // "none": no journal file
    QTest::addColumn<QString>("typed");
    const QByteArray some = record(QStringLiteral("А"), "1");
    for (const char* typed : { "abc", "", "12a", "7 " }) {
        QTest::addRow("new journal, '%s'", typed) << QByteArray("none") << QString::fromLatin1(typed);
        QTest::addRow("empty journal, '%s'", typed) << QByteArray() << QString::fromLatin1(typed);
        QTest::addRow("journal with records, '%s'", typed) << some << QString::fromLatin1(typed);
    }
}

void tst_Registration::codeThatDoesNotConvertIsRefused()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    if (stored != "none")
        writeFile(Name, stored);
    Journal journal;
    try {
        Registration(QStringLiteral("Б"), typed, journal).run();
        QFAIL("registered");
    } catch (const EConvertError& e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(typed));
    }
    if (stored == "none")
        QVERIFY(!QFile::exists(Name));
    else
        QCOMPARE(readFile(Name), stored);
}

void tst_Registration::codeLongerThanTheFieldIsRefused()
{
    Journal journal;
    QCOMPARE(failure(QStringLiteral("А"), QStringLiteral("1234567"), journal),
             QStringLiteral("Шифр длиннее 6 символов: '1234567'"));
    QVERIFY(!QFile::exists(Name));

    const QByteArray stored = record(QStringLiteral("А"), "123456");
    writeFile(Name, stored);
    QCOMPARE(failure(QStringLiteral("А"), QStringLiteral("0123456"), journal),
             QStringLiteral("Шифр длиннее 6 символов: '0123456'"));
    QCOMPARE(readFile(Name), stored);
    // Six characters, blanks and zeros included, are taken.
    QCOMPARE(Registration(QStringLiteral("А"), QStringLiteral("  0007"), journal).run(), Registration::Added);
    QCOMPARE(readFile(Name).mid(73 + 31, 7), QByteArray("\x06  0007", 7));
}

void tst_Registration::damagedStoredCodeDoesNotMatch()
{
    const QByteArray stored = record(QStringLiteral("А"), "abc") + record(QStringLiteral("Б"), "5")
        + record(QStringLiteral("В"), "") + record(QStringLiteral("Г"), "x");
    writeFile(Name, stored);
    Journal journal;
    QCOMPARE(Registration(QStringLiteral("?"), QStringLiteral("5"), journal).run(), Registration::Found);
    QCOMPARE(journal.file().filePos(), 1);
    QCOMPARE(readFile(Name), stored);

    QCOMPARE(Registration(QStringLiteral("Д"), QStringLiteral("9"), journal).run(), Registration::Added);
    QCOMPARE(journal.file().filePos(), 4);
    QCOMPARE(readFile(Name).size(), 5 * 73);
}

void tst_Registration::busyJournalIsRefusedAndASecondPressWorks()
{
    const QByteArray stored = record(QStringLiteral("А"), "1");
    writeFile(Name, stored);
    FakeClock clock;
    Journal journal(Journal::DefaultFileName, clock);
    {
        // Another computer in the middle of its registration.
        ForeignLock other(Name);
        QCOMPARE(failure(QStringLiteral("Б"), QStringLiteral("2"), journal), JournalLock::busyText());
        // Five seconds of waiting, none of them real.
        QCOMPARE(clock.Slept, 5000);
    }
    QCOMPARE(readFile(Name), stored);
    QCOMPARE(Registration(QStringLiteral("Б"), QStringLiteral("2"), journal).run(), Registration::Added);
    QCOMPARE(readFile(Name).size(), 2 * 73);
}

QTEST_GUILESS_MAIN(tst_Registration)
#include "tst_Registration.moc"
