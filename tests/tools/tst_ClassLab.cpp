// A class in one lab folder: the instructor lays it out with "oplab-data lab
// init --group", students of the group register through the bench's window
// and through oplab-data, each as an account of their own, and none of them
// can change, remove or rename what the lab needs or read an answer key.
// A folder laid out by hand the old way still registers every student and
// is named by "lab check" until "lab init --group" mends it. The accounts
// are other uids (OtherAccount), so the test needs root.
#include "support/JournalFixture.h"
#include "support/OtherAccount.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace fixture;

namespace {

const OtherAccount First = OtherAccount::student(OtherAccount::FirstStudent);
const OtherAccount Second = OtherAccount::student(OtherAccount::SecondStudent);
const QString Group = QString::number(OtherAccount::ClassGroup);

// Sets a program up to run as the account given (as root when none), in
// the folder given, with nothing of root's home and with record locks
// refused when asked.
std::function<void(QProcess&)> as(const OtherAccount* account, const QString& folder = QString(),
                                  bool refuseLocks = false)
{
    return [=](QProcess& p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        if (refuseLocks) {
            env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(REFUSE_LOCKS));
            env.insert(QStringLiteral("OPLAB_REFUSE_LOCKS"), QStringLiteral("ENOLCK"));
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
        }
        p.setProcessEnvironment(env);
        if (!folder.isEmpty())
            p.setWorkingDirectory(folder);
        if (account)
            account->prepare(p);
    };
}

ToolRun oplabData(const QStringList& args, const OtherAccount* account = nullptr)
{
    return runTool(QStringLiteral(OPLAB_DATA_TOOL), args, as(account));
}

ToolRun shell(const QString& command, const QString& folder = QString())
{
    return runTool(QStringLiteral("sh"), { QStringLiteral("-ec"), command }, as(nullptr, folder));
}

// The student registers at the bench's window, started in the lab folder.
ToolRun benchRegister(const OtherAccount& account, const QString& lab, const QString& name, const QString& code)
{
    return runTool(QStringLiteral(BENCH_REGISTER), { name, code }, as(&account, lab));
}

// The codes stored in the journal, in order.
QStringList codesIn(const QString& journal)
{
    const QByteArray bytes = readFile(journal);
    QStringList codes;
    for (qsizetype at = 0; at + 73 <= bytes.size(); at += 73)
        codes << QString::fromLatin1(bytes.mid(at + 32, qMin<int>(quint8(bytes[at + 31]), 6)));
    return codes;
}

struct stat statOf(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

class tst_ClassLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void twoStudentsRegisterInAClassFolder();
    void manyStudentsAtOnceWithRecordLocksRefused();
    void whatAStudentMayDo_data();
    void whatAStudentMayDo();
    void handMadeFolderRegistersAndIsMended();
    void mendGivesNoLinkedFileAway();
    void checkNamesEachFaultOfAClass_data();
    void checkNamesEachFaultOfAClass();

private:
    // A lab folder laid out for the class, as root by sudo would: the
    // instructor's, the group ClassGroup's.
    QString classFolder(const QString& name);

    QTemporaryDir Dir;
};

void tst_ClassLab::initTestCase()
{
    if (!OtherAccount::available())
        QSKIP(OtherAccount::unavailableText());
    QVERIFY(Dir.isValid());
    QVERIFY(::chmod(QFile::encodeName(Dir.path()).constData(), 0755) == 0);
}

QString tst_ClassLab::classFolder(const QString& name)
{
    const QString lab = Dir.filePath(name);
    const ToolRun made = oplabData({ QStringLiteral("lab"), QStringLiteral("init"), QStringLiteral("--group"), Group,
                                 QStringLiteral("--owner"), QString::number(OtherAccount::Instructor), lab });
    if (made.Status != 0)
        qWarning("lab init --group: %d %s%s", made.Status, qPrintable(made.Out), qPrintable(made.Err));
    return lab;
}

void tst_ClassLab::twoStudentsRegisterInAClassFolder()
{
    const QString lab = classFolder(QStringLiteral("two"));
    const QString journal = lab + QStringLiteral("/Students.DAT");
    // The layout: the instructor's and the group's, the journal the one
    // file the group writes, the lock folder the one folder it writes, no
    // answer key.
    const struct {
        const char* name;
        mode_t mode;
    } layout[] = { { "", S_IFDIR | 02755 },         { "/Students.DAT", S_IFREG | 0660 },
                   { "/Students.DAT.locks", S_IFDIR | 02770 }, { "/1.htm", S_IFREG | 0644 },
                   { "/1.rtf", S_IFREG | 0644 },    { "/Qest.txt", S_IFREG | 0644 },
                   { "/Qest1.txt", S_IFREG | 0644 }, { "/schematic.png", S_IFREG | 0644 } };
    for (const auto& entry : layout) {
        const struct stat st = statOf(lab + QLatin1String(entry.name));
        QVERIFY2(st.st_mode == entry.mode, entry.name);
        QCOMPARE(st.st_uid, OtherAccount::Instructor);
        QCOMPARE(st.st_gid, OtherAccount::ClassGroup);
    }
    QCOMPARE(QFileInfo(journal).size(), 0);
    QCOMPARE(QDir(lab).entryList({ QStringLiteral("*aiken*") }, QDir::Files), QStringList());

    const ToolRun atWindow = benchRegister(First, lab, QStringLiteral("Иванов И.И."), QStringLiteral("101"));
    QVERIFY2(atWindow.Status == 0, qPrintable(atWindow.Out + atWindow.Err));
    const ToolRun atTool = oplabData({ QStringLiteral("journal"), QStringLiteral("register"), journal,
                                   QStringLiteral("102"), QStringLiteral("Петров П.П.") },
                                 &Second);
    QVERIFY2(atTool.Status == 0, qPrintable(atTool.Err));
    QCOMPARE(codesIn(journal), QStringList({ QStringLiteral("101"), QStringLiteral("102") }));
    // Registration changed the content alone.
    QCOMPARE(statOf(journal).st_uid, OtherAccount::Instructor);
    QCOMPARE(statOf(journal).st_mode, mode_t(S_IFREG | 0660));

    for (const OtherAccount* account : { &First, &Second }) {
        const ToolRun checked = oplabData({ QStringLiteral("lab"), QStringLiteral("check"), lab }, account);
        QCOMPARE(checked.failedLines(), QStringList());
        QCOMPARE(checked.Status, 0);
    }
}

void tst_ClassLab::manyStudentsAtOnceWithRecordLocksRefused()
{
    const QString lab = classFolder(QStringLiteral("many"));
    const QString journal = lab + QStringLiteral("/Students.DAT");

    // Two students' benches, 25 registrations each, both at once.
    constexpr int Each = 25;
    QStringList failures;
    int running = 2;
    QEventLoop loop;
    std::vector<std::unique_ptr<QProcess>> processes;
    std::function<void(const OtherAccount*, int, int)> next = [&](const OtherAccount* account, int base, int i) {
        if (i == Each) {
            if (--running == 0)
                loop.quit();
            return;
        }
        QProcess* p = processes.emplace_back(std::make_unique<QProcess>()).get();
        const QString code = QString::number(base + i);
        QObject::connect(p, &QProcess::finished, p, [&, p, account, base, i, code](int status, QProcess::ExitStatus how) {
            if (how != QProcess::NormalExit || status != 0)
                failures << code + QStringLiteral(": ") + QString::fromUtf8(p->readAllStandardError());
            next(account, base, i + 1);
        });
        as(account, QString(), true)(*p);
        p->start(QStringLiteral(OPLAB_DATA_TOOL), { QStringLiteral("journal"), QStringLiteral("register"), journal, code,
                                                    QStringLiteral("Студент ") + code });
    };
    next(&First, 1000, 0);
    next(&Second, 2000, 0);
    QTimer::singleShot(240000, &loop, [&] {
        failures << QStringLiteral("timed out");
        loop.quit();
    });
    loop.exec();
    QCOMPARE(failures, QStringList());

    QStringList codes = codesIn(journal);
    QCOMPARE(codes.size(), 2 * Each);
    codes.sort();
    QStringList expected;
    for (int i = 0; i < Each; ++i)
        expected << QString::number(1000 + i);
    for (int i = 0; i < Each; ++i)
        expected << QString::number(2000 + i);
    QCOMPARE(codes, expected);
}

void tst_ClassLab::whatAStudentMayDo_data()
{
    // What the second student tries in a class's folder, and whether the
    // system lets it be done.
    QTest::addColumn<QString>("action"); // remove, rename, append, make, read, write, chmod
    QTest::addColumn<QString>("path");   // relative to the lab folder
    QTest::addColumn<bool>("allowed");

    QTest::newRow("remove the journal") << "remove" << "Students.DAT" << false;
    QTest::newRow("rename the journal") << "rename" << "Students.DAT" << false;
    QTest::newRow("close the journal to the group") << "chmod" << "Students.DAT" << false;
    QTest::newRow("remove a document") << "remove" << "1.htm" << false;
    QTest::newRow("rename a document") << "rename" << "1.rtf" << false;
    QTest::newRow("append to a document") << "append" << "1.rtf" << false;
    QTest::newRow("remove a bank") << "remove" << "Qest.txt" << false;
    QTest::newRow("rename a bank") << "rename" << "Qest1.txt" << false;
    QTest::newRow("append to a bank") << "append" << "Qest.txt" << false;
    QTest::newRow("put a file in the lab folder") << "make" << "Qest2.txt" << false;
    QTest::newRow("read an answer key") << "read" << "Qest.aiken.txt" << false;
    QTest::newRow("rename the lock folder") << "rename" << "Students.DAT.locks" << false;
    // And what a student's bench needs.
    QTest::newRow("write the journal") << "write" << "Students.DAT" << true;
    QTest::newRow("read a bank") << "read" << "Qest.txt" << true;
    QTest::newRow("take a lock file") << "make" << "Students.DAT.locks/second" << true;
    QTest::newRow("break another student's lock file") << "remove" << "Students.DAT.locks/first" << true;
}

void tst_ClassLab::whatAStudentMayDo()
{
    QFETCH(QString, action);
    QFETCH(QString, path);
    QFETCH(bool, allowed);

    // One class folder for the table, laid over a folder of an older
    // template that held the answer keys; the first student holds a lock.
    static QString lab;
    if (lab.isEmpty()) {
        const QString old = Dir.filePath(QStringLiteral("table"));
        QVERIFY(QDir().mkpath(old));
        QVERIFY(QFile::copy(QStringLiteral(OPLAB_SOURCE_DIR "/data/Qest.aiken.txt"), old + QStringLiteral("/Qest.aiken.txt")));
        lab = classFolder(QStringLiteral("table"));
        QCOMPARE(statOf(lab + QStringLiteral("/Qest.aiken.txt")).st_mode, mode_t(S_IFREG | 0600));
        QCOMPARE(First.run([&] {
            const int fd = ::open(QFile::encodeName(lab + QStringLiteral("/Students.DAT.locks/first")).constData(),
                                  O_CREAT | O_EXCL | O_WRONLY, 0644);
            return fd >= 0 && ::close(fd) == 0 ? 0 : 1;
        }), 0);
    }
    const QByteArray target = QFile::encodeName(lab + QLatin1Char('/') + path);
    const QByteArray aside = QFile::encodeName(lab + QStringLiteral("/aside"));
    const int status = Second.run([&] {
        int fd = -1;
        if (action == QLatin1String("remove"))
            return ::unlink(target.constData()) == 0 ? 0 : 1;
        if (action == QLatin1String("rename"))
            return ::rename(target.constData(), aside.constData()) == 0 ? 0 : 1;
        if (action == QLatin1String("chmod"))
            return ::chmod(target.constData(), 0600) == 0 ? 0 : 1;
        if (action == QLatin1String("append"))
            fd = ::open(target.constData(), O_WRONLY | O_APPEND);
        else if (action == QLatin1String("make"))
            fd = ::open(target.constData(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        else if (action == QLatin1String("read"))
            fd = ::open(target.constData(), O_RDONLY);
        else if (action == QLatin1String("write"))
            fd = ::open(target.constData(), O_RDWR);
        return fd >= 0 && ::close(fd) == 0 ? 0 : 1;
    });
    QCOMPARE(status == 0, allowed);
}

void tst_ClassLab::handMadeFolderRegistersAndIsMended()
{
    // The folder as the older steps made it: laid out by root, given to
    // the group, opened to it for writing, an answer key beside the test.
    const QString lab = Dir.filePath(QStringLiteral("by-hand"));
    const QString journal = lab + QStringLiteral("/Students.DAT");
    QCOMPARE(oplabData({ QStringLiteral("lab"), QStringLiteral("init"), lab }).Status, 0);
    QVERIFY(QFile::copy(QStringLiteral(OPLAB_SOURCE_DIR "/data/Qest1.aiken.txt"), lab + QStringLiteral("/Qest1.aiken.txt")));
    QCOMPARE(shell(QStringLiteral("chgrp -R %1 %2 && chmod -R g+rwX %2").arg(Group, lab)).Status, 0);

    // The first student's bench makes the journal, the second's registers
    // in it.
    ToolRun atWindow = benchRegister(First, lab, QStringLiteral("Иванов И.И."), QStringLiteral("101"));
    QVERIFY2(atWindow.Status == 0, qPrintable(atWindow.Out + atWindow.Err));
    QCOMPARE(statOf(journal).st_uid, OtherAccount::FirstStudent);
    atWindow = benchRegister(Second, lab, QStringLiteral("Петров П.П."), QStringLiteral("102"));
    QVERIFY2(atWindow.Status == 0, qPrintable(atWindow.Out + atWindow.Err));
    QCOMPARE(codesIn(journal), QStringList({ QStringLiteral("101"), QStringLiteral("102") }));

    // A student's check names what would break the class, and the mend.
    const QString mend = QStringLiteral("; исправит: sudo oplab-data lab init %1 --group %2").arg(lab, Group);
    ToolRun checked = oplabData({ QStringLiteral("lab"), QStringLiteral("check"), lab }, &Second);
    QCOMPARE(checked.Status, 1);
    const QStringList failed = checked.failedLines();
    const QStringList expected { QStringLiteral("✗ журнал: студенты могут его удалить"),
                                 QStringLiteral("✗ документы и банки: студенты могут изменить"),
                                 QStringLiteral("✗ ключи ответов: Qest1.aiken.txt:"),
                                 // made by the first student's bench
                                 QStringLiteral("✗ папка блокировок Students.DAT.locks: она принадлежит 61001") };
    QCOMPARE(failed.size(), expected.size());
    for (qsizetype i = 0; i < failed.size(); ++i) {
        QVERIFY2(failed[i].startsWith(expected[i]), qPrintable(failed[i]));
        QVERIFY2(failed[i].endsWith(mend), qPrintable(failed[i]));
    }

    // Mended: ownership and modes, the journal's bytes as they were.
    const QByteArray records = readFile(journal);
    const QString mended = classFolder(QStringLiteral("by-hand"));
    QCOMPARE(readFile(journal), records);
    QCOMPARE(statOf(journal).st_uid, OtherAccount::Instructor);
    QCOMPARE(statOf(lab + QStringLiteral("/Qest1.aiken.txt")).st_mode, mode_t(S_IFREG | 0600));
    checked = oplabData({ QStringLiteral("lab"), QStringLiteral("check"), mended }, &Second);
    QCOMPARE(checked.failedLines(), QStringList());
    QCOMPARE(checked.Status, 0);
    atWindow = benchRegister(First, lab, QStringLiteral("Сидоров С.С."), QStringLiteral("103"));
    QVERIFY2(atWindow.Status == 0, qPrintable(atWindow.Out + atWindow.Err));
    QCOMPARE(codesIn(journal).size(), 3);
}

void tst_ClassLab::mendGivesNoLinkedFileAway()
{
    // A student of a folder open to the group plants a link to a file of
    // root's, and a pipe; root, who could make a second name of the file
    // where the student cannot, plants that. The mend gives none away and
    // is not held up by the pipe.
    const QString lab = Dir.filePath(QStringLiteral("planted"));
    const QString secret = Dir.filePath(QStringLiteral("secret"));
    QCOMPARE(oplabData({ QStringLiteral("lab"), QStringLiteral("init"), lab }).Status, 0);
    writeFile(secret, "root's own");
    QVERIFY(::chmod(QFile::encodeName(secret).constData(), 0600) == 0);
    QVERIFY(::chmod(QFile::encodeName(lab).constData(), 0777) == 0);
    QCOMPARE(First.run([&] {
        return ::symlink(QFile::encodeName(secret).constData(), QFile::encodeName(lab + QStringLiteral("/1.htm.link")).constData()) == 0
                && ::mkfifo(QFile::encodeName(lab + QStringLiteral("/pipe")).constData(), 0644) == 0
            ? 0
            : 1;
    }), 0);
    QVERIFY(::link(QFile::encodeName(secret).constData(), QFile::encodeName(lab + QStringLiteral("/second-name")).constData()) == 0);

    const ToolRun made = oplabData({ QStringLiteral("lab"), QStringLiteral("init"), QStringLiteral("--group"), Group,
                                 QStringLiteral("--owner"), QString::number(OtherAccount::Instructor), lab });
    QCOMPARE(made.Status, 0);
    for (const char* left : { "оставлено как было: 1.htm.link: символьная ссылка\n",
                              "оставлено как было: pipe: не файл и не папка\n",
                              "оставлено как было: second-name: у файла 2 имени" })
        QVERIFY2(made.Out.contains(QString::fromUtf8(left)), qPrintable(made.Out));
    const struct stat st = statOf(secret);
    QCOMPARE(st.st_uid, uid_t(0));
    QCOMPARE(st.st_mode, mode_t(S_IFREG | 0600));
    QCOMPARE(statOf(lab).st_mode, mode_t(S_IFDIR | 02755));
    // The check as a student is not held up by the pipe either.
    QCOMPARE(oplabData({ QStringLiteral("lab"), QStringLiteral("check"), lab }, &Second).Status, 0);
}

void tst_ClassLab::checkNamesEachFaultOfAClass_data()
{
    // A fault made in a sound class's folder (a shell command run in it as
    // root), and the failed lines a student's check begins with.
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("failed");

    const QString aiken = QStringLiteral(OPLAB_SOURCE_DIR "/data/Qest.aiken.txt");
    const QString moodle = QStringLiteral(OPLAB_SOURCE_DIR "/tests/admission/fixtures/moodle-export.xml");
    const QString gift = QStringLiteral(OPLAB_SOURCE_DIR "/tests/admission/fixtures/quiz.gift");
    QTest::newRow("journal its owner's alone")
        << "chmod 0640 Students.DAT"
        << QStringList { "✗ Students.DAT (журнал): эта учётная запись не может его записать",
                         "✗ журнал: его может записывать только 61000, а не группа 61100" };
    QTest::newRow("journal a student's") << "chown 61001 Students.DAT"
                                         << QStringList { "✗ журнал: студенты могут его удалить, переименовать или "
                                                          "закрыть от группы: журнал принадлежит 61001" };
    QTest::newRow("folder open to the group")
        << "chmod 2775 ." << QStringList { "✗ журнал: студенты могут его удалить", "✗ документы и банки: студенты могут удалить" };
    QTest::newRow("sticky folder open to the group, all the instructor's") << "chmod 3775 ." << QStringList();
    QTest::newRow("document open to the group") << "chmod 0664 1.rtf"
                                                << QStringList { "✗ документы и банки: студенты могут изменить 1.rtf (" };
    QTest::newRow("picture a student's") << "chown 61001 schematic.png"
                                         << QStringList { "✗ документы и банки: студенты могут изменить schematic.png" };
    QTest::newRow("Aiken source beside the test") << "cp " + aiken + " 'вопросы.txt' && chmod 0644 'вопросы.txt'"
                                                  << QStringList { "✗ ключи ответов: вопросы.txt:" };
    QTest::newRow("Moodle XML export in a subfolder")
        << "mkdir -m 0755 old && cp " + moodle + " old/export && chmod 0644 old/export"
        << QStringList { "✗ ключи ответов: old/export:" };
    QTest::newRow("GIFT file readable by the group") << "cp " + gift + " quiz.gift && chmod 0640 quiz.gift"
                                               << QStringList { "✗ ключи ответов: quiz.gift:" };
    QTest::newRow("answer key the instructor's alone") << "cp " + aiken + " key.txt && chmod 0600 key.txt"
                                                       << QStringList();
    QTest::newRow("lock folder missing") << "rmdir Students.DAT.locks"
                                         << QStringList { "✗ папка блокировок Students.DAT.locks: нет," };
    QTest::newRow("lock folder sticky") << "chmod 3770 Students.DAT.locks"
                                        << QStringList { "✗ папка блокировок Students.DAT.locks: у неё стоит бит sticky" };
    QTest::newRow("lock folder closed to the group")
        << "chmod 2750 Students.DAT.locks"
        << QStringList { "✗ папка блокировок Students.DAT.locks: студенты группы 61100 не могут создавать в ней файлы" };
}

void tst_ClassLab::checkNamesEachFaultOfAClass()
{
    QFETCH(QString, fault);
    QFETCH(QStringList, failed);
    const QString lab = classFolder(QStringLiteral("fault-%1").arg(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
    QCOMPARE(shell(fault, lab).Status, 0);

    const ToolRun checked = oplabData({ QStringLiteral("lab"), QStringLiteral("check"), lab }, &Second);
    const QStringList lines = checked.failedLines();
    QCOMPARE(checked.Status, failed.isEmpty() ? 0 : 1);
    QCOMPARE(lines.size(), failed.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QVERIFY2(lines[i].startsWith(failed[i]), qPrintable(lines[i]));
}

QTEST_GUILESS_MAIN(tst_ClassLab)
#include "tst_ClassLab.moc"
