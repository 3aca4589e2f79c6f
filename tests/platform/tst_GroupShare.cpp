// The journal and the lock folder of a class, made by one student's program
// in the lab folder, are shared with the folder's group whatever that
// student's umask, so that the next student's program can write them; in a
// folder whose group may not write, the umask stands. The students are
// other accounts (OtherAccount), so the test needs root.
#include "support/OtherAccount.h"

#include "platform/GroupShare.h"
#include "platform/TypedFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct stat statOf(const QByteArray& path)
{
    struct stat st {};
    ::stat(path.constData(), &st);
    return st;
}

} // namespace

class tst_GroupShare : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void madeByOneStudentWrittenByTheNext_data();
    void madeByOneStudentWrittenByTheNext();

private:
    QTemporaryDir Dir;
};

void tst_GroupShare::initTestCase()
{
    if (!OtherAccount::available())
        QSKIP(OtherAccount::unavailableText());
    QVERIFY(Dir.isValid());
    QVERIFY(::chmod(QFile::encodeName(Dir.path()).constData(), 0755) == 0);
}

void tst_GroupShare::madeByOneStudentWrittenByTheNext_data()
{
    QTest::addColumn<bool>("folder");        // what is made: the lock folder, else the journal
    QTest::addColumn<int>("folderMode");     // the lab folder's mode: root's, group ClassGroup,
                                             // else the first student's own
    QTest::addColumn<int>("umask");          // the first student's
    QTest::addColumn<bool>("shared");        // the next student may write it

    QTest::newRow("journal, group folder, umask 022") << false << 0775 << 022 << true;
    QTest::newRow("journal, group folder, umask 077") << false << 0770 << 077 << true;
    QTest::newRow("journal, setgid group folder, umask 027") << false << 02775 << 027 << true;
    QTest::newRow("journal, folder of one account") << false << 0755 << 022 << false;
    QTest::newRow("lock folder, group folder, umask 077") << true << 0770 << 077 << true;
    QTest::newRow("lock folder, folder of one account") << true << 0755 << 022 << false;
}

void tst_GroupShare::madeByOneStudentWrittenByTheNext()
{
    QFETCH(bool, folder);
    QFETCH(int, folderMode);
    QFETCH(int, umask);
    QFETCH(bool, shared);

    const QByteArray lab = QFile::encodeName(Dir.path()) + "/" + QTest::currentDataTag();
    QVERIFY(::mkdir(lab.constData(), 0700) == 0);
    if (shared)
        QVERIFY(::chown(lab.constData(), 0, OtherAccount::ClassGroup) == 0);
    else
        QVERIFY(::chown(lab.constData(), OtherAccount::FirstStudent,
                        OtherAccount::OwnGroupOf(OtherAccount::FirstStudent)) == 0);
    QVERIFY(::chmod(lab.constData(), mode_t(folderMode)) == 0);
    const QByteArray made = lab + (folder ? "/Students.DAT.locks" : "/Students.DAT");

    const int first = OtherAccount::student(OtherAccount::FirstStudent, mode_t(umask)).run([&] {
        if (folder)
            return GroupShare::makeFolder(made) ? 0 : 1;
        TypedFile journal(73);
        journal.assign(QFile::decodeName(made));
        journal.resetOrCreate();
        return 0;
    });
    QCOMPARE(first, 0);
    const struct stat st = statOf(made);
    QCOMPARE(st.st_uid, OtherAccount::FirstStudent);
    QCOMPARE(st.st_gid == OtherAccount::ClassGroup, shared);
    QCOMPARE(bool(st.st_mode & S_IWGRP), shared);
    if (folder)
        QCOMPARE(bool(st.st_mode & S_ISGID), shared);
    // What the umask took from others stays taken.
    QCOMPARE(st.st_mode & S_IRWXO & mode_t(umask), mode_t(0));

    // The next student writes the journal, or makes and breaks a lock
    // file of the first one in the lock folder.
    if (folder)
        QCOMPARE(OtherAccount::student(OtherAccount::FirstStudent).run([&] {
            const int fd = ::open((made + "/lock").constData(), O_CREAT | O_WRONLY, 0644);
            return fd >= 0 && ::close(fd) == 0 ? 0 : 1;
        }), 0);
    const int next = OtherAccount::student(OtherAccount::SecondStudent, 022).run([&] {
        if (folder)
            return ::unlink((made + "/lock").constData()) == 0 ? 0 : 1;
        const int fd = ::open(made.constData(), O_RDWR);
        return fd >= 0 && ::close(fd) == 0 ? 0 : 1;
    });
    QCOMPARE(next == 0, shared);
}

QTEST_GUILESS_MAIN(tst_GroupShare)
#include "tst_GroupShare.moc"
