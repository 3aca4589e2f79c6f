// What the students of a class may do with an entry of the lab folder, as
// judged from its owner, group and mode: the group's bits for an entry of
// the class's group (never the bits for others as well), the bits for
// others elsewhere, anything for an entry a student owns; and removal by
// the folder's write bit, held back by the sticky bit for what the
// instructor owns.
#include "platform/ClassAccess.h"

#include <QtTest>

#include <sys/stat.h>

namespace {

constexpr uid_t Instructor = 1000;
constexpr uid_t Student = 1001;
constexpr gid_t Class = 500;
constexpr gid_t Other = 600;

using Entry = ClassAccess::Entry;

} // namespace

Q_DECLARE_METATYPE(ClassAccess::Entry)

class tst_ClassAccess : public QObject
{
    Q_OBJECT

private slots:
    void rights_data();
    void rights();
    void removal_data();
    void removal();
};

void tst_ClassAccess::rights_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<int>("rights");
    QTest::addColumn<bool>("every"); // every student has them
    QTest::addColumn<bool>("some");  // some student has them

    const int rw = ClassAccess::Read | ClassAccess::Write;
    QTest::newRow("journal of the class") << Entry { Instructor, Class, S_IFREG | 0660 } << rw << true << true;
    QTest::newRow("journal its owner's alone") << Entry { Instructor, Class, S_IFREG | 0640 } << rw << false << false;
    QTest::newRow("group's bits stand over others'") << Entry { Instructor, Class, S_IFREG | 0606 } << rw << false << false;
    QTest::newRow("others' bits for another group") << Entry { Instructor, Other, S_IFREG | 0606 } << rw << true << true;
    QTest::newRow("group bits of another group") << Entry { Instructor, Other, S_IFREG | 0660 } << rw << false << false;
    QTest::newRow("a student's own file") << Entry { Student, Class, S_IFREG | 0600 } << rw << false << true;
    QTest::newRow("root's file") << Entry { 0, 0, S_IFREG | 0644 } << int(ClassAccess::Write) << false << false;
    QTest::newRow("document read by all") << Entry { Instructor, Class, S_IFREG | 0644 } << int(ClassAccess::Read)
                                          << true << true;
    QTest::newRow("lock folder") << Entry { Instructor, Class, S_IFDIR | 02770 }
                                 << (rw | ClassAccess::Search) << true << true;
    QTest::newRow("folder without search") << Entry { Instructor, Class, S_IFDIR | 0760 }
                                           << (rw | ClassAccess::Search) << false << false;
}

void tst_ClassAccess::rights()
{
    QFETCH(Entry, entry);
    QFETCH(int, rights);
    QFETCH(bool, every);
    QFETCH(bool, some);
    const ClassAccess access(Class, Instructor);
    QCOMPARE(access.everyStudentMay(entry, rights), every);
    QCOMPARE(access.someStudentMay(entry, rights), some);
}

void tst_ClassAccess::removal_data()
{
    QTest::addColumn<Entry>("file");
    QTest::addColumn<Entry>("folder");
    QTest::addColumn<bool>("removable");

    const Entry instructors { Instructor, Class, S_IFREG | 0660 };
    const Entry students { Student, Class, S_IFREG | 0660 };
    QTest::newRow("folder closed to the class") << instructors << Entry { Instructor, Class, S_IFDIR | 02755 } << false;
    QTest::newRow("folder open to the class") << instructors << Entry { Instructor, Class, S_IFDIR | 02775 } << true;
    QTest::newRow("sticky folder, the instructor's file") << instructors << Entry { Instructor, Class, S_IFDIR | 03775 }
                                                          << false;
    QTest::newRow("sticky folder, a student's file") << students << Entry { Instructor, Class, S_IFDIR | 03775 } << true;
    QTest::newRow("sticky folder of a student") << instructors << Entry { Student, Class, S_IFDIR | 03755 } << true;
    QTest::newRow("folder open to others of another group") << instructors << Entry { 0, 0, S_IFDIR | 0757 } << true;
    QTest::newRow("write without search") << instructors << Entry { Instructor, Class, S_IFDIR | 0765 } << false;
}

void tst_ClassAccess::removal()
{
    QFETCH(Entry, file);
    QFETCH(Entry, folder);
    QFETCH(bool, removable);
    QCOMPARE(ClassAccess(Class, Instructor).someStudentMayRemove(file, folder), removable);
}

QTEST_GUILESS_MAIN(tst_ClassAccess)
#include "tst_ClassAccess.moc"
