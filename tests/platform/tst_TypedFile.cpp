// Typed files: error codes and texts for missing, read-only and short
// files; record counting with a partial record; positions.
#include "platform/EInOutError.h"
#include "platform/TypedFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs the operation and returns the runtime code it failed with, or 0.
template <typename F>
int failureCode(F&& operation, QString* text = nullptr)
{
    try {
        operation();
    } catch (const EInOutError& e) {
        if (text)
            *text = e.message();
        return e.errorCode();
    }
    return 0;
}

} // namespace

class tst_TypedFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void errorTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("2") << 2 << "File not found";
        QTest::newRow("3") << 3 << "Invalid filename";
        QTest::newRow("4") << 4 << "Too many open files";
        QTest::newRow("5") << 5 << "File access denied";
        QTest::newRow("100") << 100 << "Read beyond end of file";
        QTest::newRow("101") << 101 << "Disk full";
        QTest::newRow("106") << 106 << "Invalid numeric input";
        QTest::newRow("other") << 32 << "I/O error 32";
    }
    void errorTexts()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(EInOutError(code).message(), text);
    }

    void openingFailures()
    {
        TypedFile f(4);
        QString text;

        f.assign(dir.filePath("missing.dat"));
        QCOMPARE(failureCode([&] { f.reset(); }, &text), 2);
        QCOMPARE(text, QString("File not found"));

        f.assign(dir.filePath("no/such/folder/x.dat"));
        QCOMPARE(failureCode([&] { f.rewrite(); }), 2);

        f.assign(QString());
        QCOMPARE(failureCode([&] { f.reset(); }), 3);

        // A folder is not a file.
        f.assign(dir.path());
        QCOMPARE(failureCode([&] { f.reset(); }), 5);
    }

    void readOnlyFileIsDenied()
    {
        const QString path = dir.filePath("ro.dat");
        writeBytes(path, QByteArray(8, 'x'));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        TypedFile f(4);
        f.assign(path);
        QString text;
        QCOMPARE(failureCode([&] { f.reset(); }, &text), 5);
        QCOMPARE(text, QString("File access denied"));
        QCOMPARE(failureCode([&] { f.rewrite(); }), 5);
        QCOMPARE(readBytes(path), QByteArray(8, 'x'));
        QVERIFY(!f.isOpen());
    }

    void readOnlyFolderRefusesCreation()
    {
        QDir(dir.path()).mkdir("locked");
        const QString folder = dir.filePath("locked");
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        TypedFile f(4);
        f.assign(folder + "/new.dat");
        QCOMPARE(failureCode([&] { f.rewrite(); }), 5);
        QVERIFY(!QFile::exists(folder + "/new.dat"));
        ::chmod(QFile::encodeName(folder).constData(), 0755);
    }

    void countsWholeRecordsOnly()
    {
        const QString path = dir.filePath("partial.dat");
        writeBytes(path, QByteArray(4 * 3 + 2, 'a'));
        TypedFile f(4);
        f.assign(path);
        f.reset();
        QCOMPARE(f.fileSize(), 3);

        // A record written at the end of the last whole one lands over the
        // partial bytes.
        f.seek(f.fileSize());
        f.write("WXYZ");
        QCOMPARE(f.filePos(), 4);
        QCOMPARE(f.fileSize(), 4);
        f.close();
        QCOMPARE(readBytes(path), QByteArray(12, 'a') + "WXYZ");
    }

    void wholeFileAndCutting()
    {
        // The whole file comes back with a partial record behind the last
        // whole one, and reading it leaves the position; cutting drops the
        // records behind the count given, the partial bytes with them.
        const QString path = dir.filePath("cut.dat");
        writeBytes(path, "abcdefghijk");
        TypedFile f(4);
        f.assign(path);
        f.reset();
        f.seek(1);
        QCOMPARE(f.readAll(), QByteArray("abcdefghijk"));
        QCOMPARE(f.filePos(), 1);
        f.truncate(1);
        QCOMPARE(f.readAll(), QByteArray("abcd"));
        QCOMPARE(f.fileSize(), 1);
        QCOMPARE(failureCode([&] { f.truncate(-1); }), 131);
        f.truncate(0);
        QCOMPARE(f.readAll(), QByteArray());
        f.close();
        QCOMPARE(readBytes(path), QByteArray());

        // A file bigger than one read still comes back whole.
        QByteArray big(200000, 'x');
        big[199999] = 'y';
        writeBytes(path, big);
        f.resetForReading();
        QCOMPARE(f.readAll(), big);
        QVERIFY(failureCode([&] { f.truncate(0); }) > 0); // opened for reading only
    }

    void readPastTheEndFails()
    {
        const QString path = dir.filePath("short.dat");
        writeBytes(path, "abcdefg"); // one record of 4 and 3 stray bytes
        TypedFile f(4);
        f.assign(path);
        f.reset();
        char rec[4];
        f.read(rec);
        QCOMPARE(QByteArray(rec, 4), QByteArray("abcd"));
        QString text;
        QCOMPARE(failureCode([&] { f.read(rec); }, &text), 100);
        QCOMPARE(text, QString("Read beyond end of file"));
        QCOMPARE(f.filePos(), 1); // the failed read leaves the position
    }

    void positionsAndBlocks()
    {
        TypedFile f(2);
        f.assign(dir.filePath("blocks.dat"));
        f.rewrite();
        for (char c = 'a'; c < 'k'; ++c) {
            const char rec[2] = {c, char(c - 32)};
            f.write(rec);
        }
        QCOMPARE(f.fileSize(), 10);
        f.seek(3);
        char buf[8];
        QCOMPARE(f.readBlock(buf, 4), 4);
        QCOMPARE(QByteArray(buf, 8), QByteArray("dDeEfFgG"));
        QCOMPARE(f.filePos(), 7);
        QCOMPARE(f.readBlock(buf, 4), 3);
        QCOMPARE(f.filePos(), 10);
        QCOMPARE(f.readBlock(buf, 4), 0);

        // Rewrite empties an existing file.
        f.rewrite();
        QCOMPARE(f.fileSize(), 0);
    }

    void closedFileOperationsFail()
    {
        TypedFile f(4);
        f.assign(dir.filePath("x.dat"));
        char rec[4] = {};
        QCOMPARE(failureCode([&] { f.close(); }), 103);
        QCOMPARE(failureCode([&] { f.seek(0); }), 103);
        QCOMPARE(failureCode([&] { f.read(rec); }), 103);
        QCOMPARE(failureCode([&] { f.write(rec); }), 103);
        QCOMPARE(failureCode([&] { f.readAll(); }), 103);
        QCOMPARE(failureCode([&] { f.truncate(0); }), 103);
        QCOMPARE(EInOutError(103).message(), QString("I/O error 103"));
    }

    void fileSizeLimitIsDiskFull()
    {
        // Writing beyond the process's file-size limit fails as "Disk full"
        // and keeps the records already written.
        const QString path = dir.filePath("limited.dat");
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 10;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);

        TypedFile f(4);
        f.assign(path);
        f.rewrite();
        f.write("1111");
        f.write("2222");
        QString text;
        const int code = failureCode([&] { f.write("3333"); }, &text);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(code, 101);
        QCOMPARE(text, QString("Disk full"));
        QCOMPARE(f.fileSize(), 2);
        f.close();
        QVERIFY(readBytes(path).startsWith("11112222"));
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(tst_TypedFile)
#include "tst_TypedFile.moc"
