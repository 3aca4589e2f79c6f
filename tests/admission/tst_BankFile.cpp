// The open bank: opening by name in the data directory, record count, reads
// and the draw; a read-only bank read; the failures of missing, unreadable
// and empty banks.
#include "support/OtherAccount.h"

#include "admission/BankFile.h"
#include "platform/EInOutError.h"
#include "platform/RandomGenerator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

// A record whose every byte tells it apart: the question "Вопрос N", the
// answers "Ответ N.a", right answer (N mod 4) + 1, and the bytes behind the
// texts and in Reserved filled with junk.
QuestionRecord numbered(int n, unsigned char junk = 0xA5)
{
    QuestionRecord r;
    std::memset(&r, junk, sizeof r);
    r.RightAnswer = n % 4 + 1;
    r.Question.set(QStringLiteral("Вопрос %1").arg(n));
    for (int a = 1; a <= 4; ++a)
        r.answer(a).set(QStringLiteral("Ответ %1.%2").arg(n).arg(a));
    return r;
}

QByteArray bytesOf(const QuestionRecord& r)
{
    return QByteArray(reinterpret_cast<const char*>(&r), sizeof r);
}

QByteArray bankOf(int count)
{
    QByteArray bank;
    for (int n = 0; n < count; ++n)
        bank += bytesOf(numbered(n));
    return bank;
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

template <typename F>
QString failure(F&& operation)
{
    try {
        operation();
    } catch (const EInOutError& e) {
        return e.message();
    }
    return QString();
}

} // namespace

class tst_BankFile : public QObject
{
    Q_OBJECT

private slots:
    // Each test runs in a fresh data directory of its own.
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(QDir::setCurrent(dir->path()));
    }
    void cleanup()
    {
        QDir::setCurrent(QDir::tempPath());
        dir.reset();
    }

    void readsRecordsByNumber()
    {
        const QByteArray bank = bankOf(5);
        writeFile("Qest.txt", bank);
        BankFile file;
        file.open("Qest.txt");
        QCOMPARE(file.path(), dir->filePath("Qest.txt"));
        QCOMPARE(file.recordCount(), std::int64_t(5));

        for (int k : {3, 0, 4, 1}) {
            QuestionRecord r = numbered(99, 0x11);
            file.read(k, r);
            // All 1288 bytes come from the file, Reserved and junk included.
            QCOMPARE(bytesOf(r), bank.mid(k * 1288, 1288));
            QCOMPARE(r.RightAnswer, k % 4 + 1);
            QCOMPARE(r.Question.text(), QStringLiteral("Вопрос %1").arg(k));
            QCOMPARE(r.Answer4.text(), QStringLiteral("Ответ %1.4").arg(k));
        }
        file.close();
        QVERIFY(!file.isOpen());
    }

    void reservedBytesChangeNothing()
    {
        // Two banks that differ in the Reserved bytes only.
        QuestionRecord zero = numbered(2, 0x00);
        QuestionRecord full = zero;
        std::memset(full.Reserved, 0xFF, sizeof full.Reserved);
        writeFile("Qest.txt", bytesOf(zero));
        writeFile("Qest1.txt", bytesOf(full));

        BankFile file;
        QuestionRecord a {};
        QuestionRecord b {};
        file.open("Qest.txt");
        file.read(0, a);
        file.open("Qest1.txt");
        file.read(0, b);
        QCOMPARE(a.RightAnswer, b.RightAnswer);
        QCOMPARE(bytesOf(a).mid(4), bytesOf(b).mid(4));
        QCOMPARE(b.Question.text(), QStringLiteral("Вопрос 2"));
    }

    void oneRecordBankAlwaysDrawsIt()
    {
        writeFile("Qest.txt", bankOf(1));
        BankFile file;
        file.open("Qest.txt");
        RandomGenerator generator;
        generator.setSeed(86399999);
        for (int i = 0; i < 200; ++i) {
            QuestionRecord r {};
            QCOMPARE(file.drawInto(generator, r), std::int64_t(0));
            QCOMPARE(bytesOf(r), bytesOf(numbered(0)));
        }
    }

    void drawFollowsTheGenerator()
    {
        writeFile("Qest.txt", bankOf(7));
        BankFile file;
        file.open("Qest.txt");
        RandomGenerator generator;
        generator.setSeed(0);
        // seed 0 over 7 records: the integer parts of 7 * seed / 2^32
        for (int expected : {0, 0, 6, 1, 1, 4, 2, 1, 2, 2}) {
            QuestionRecord r {};
            QCOMPARE(file.drawInto(generator, r), std::int64_t(expected));
            QCOMPARE(r.Question.text(), QStringLiteral("Вопрос %1").arg(expected));
        }
    }

    void partialRecordIsNeverDrawn()
    {
        writeFile("Qest.txt", bankOf(3) + bytesOf(numbered(3)).left(700));
        BankFile file;
        file.open("Qest.txt");
        QCOMPARE(file.recordCount(), std::int64_t(3));
        RandomGenerator generator;
        generator.setSeed(1);
        QList<int> seen(3);
        for (int i = 0; i < 600; ++i) {
            QuestionRecord r {};
            const std::int64_t k = file.drawInto(generator, r);
            QVERIFY(k >= 0 && k < 3);
            QCOMPARE(bytesOf(r), bytesOf(numbered(int(k))));
            ++seen[int(k)];
        }
        QVERIFY(!seen.contains(0));
        // Asked for directly, the partial record is a read beyond the end.
        QuestionRecord r {};
        QCOMPARE(failure([&] { file.read(3, r); }), QStringLiteral("Read beyond end of file"));
    }

    void missingBank()
    {
        BankFile file;
        QCOMPARE(failure([&] { file.open("Qest.txt"); }), QStringLiteral("File not found"));
        QVERIFY(!file.isOpen());
        QVERIFY(!QFile::exists("Qest.txt")); // opening never creates a bank
    }

    void readOnlyBankIsRead()
    {
        // The bench only reads a bank: a read-only one, as a class's
        // students have the instructor's, is read as any other.
        writeFile("Qest.txt", bankOf(2));
        QVERIFY(QFile::setPermissions("Qest.txt", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        BankFile file;
        file.open("Qest.txt");
        QCOMPARE(file.recordCount(), std::int64_t(2));
        QuestionRecord r;
        file.read(1, r);
        QCOMPARE(bytesOf(r), bytesOf(numbered(1)));
    }

    void unreadableBankIsRefused()
    {
        writeFile("Qest.txt", bankOf(2));
        QVERIFY(QFile::setPermissions("Qest.txt", QFile::WriteOwner));
        const auto refused = [] {
            BankFile file;
            return failure([&] { file.open("Qest.txt"); }) == QStringLiteral("File access denied") && !file.isOpen()
                ? 0
                : 1;
        };
        // Root reads a file whatever its mode: a student opens it then.
        if (!OtherAccount::available())
            QCOMPARE(refused(), 0);
        else
            QCOMPARE(OtherAccount::student(OtherAccount::FirstStudent).run(refused), 0);
    }

    void emptyBankFailsAtTheDraw_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no bytes") << QByteArray();
        QTest::newRow("a partial record only") << bytesOf(numbered(0)).left(1287);
    }
    void emptyBankFailsAtTheDraw()
    {
        QFETCH(QByteArray, bytes);
        writeFile("Qest1.txt", bytes);
        BankFile file;
        file.open("Qest1.txt"); // opens all the same
        QCOMPARE(file.recordCount(), std::int64_t(0));

        RandomGenerator generator;
        generator.setSeed(45296789);
        const QuestionRecord before = numbered(8);
        QuestionRecord current = before;
        QCOMPARE(failure([&] { file.drawInto(generator, current); }),
                 QStringLiteral("Read beyond end of file"));
        QCOMPARE(generator.seed(), 2099557098u); // the draw itself took place
        // The question on show is left whole, not half overwritten.
        QCOMPARE(bytesOf(current), bytesOf(before));
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
};

QTEST_GUILESS_MAIN(tst_BankFile)
#include "tst_BankFile.moc"
