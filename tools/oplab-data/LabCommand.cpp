#include "LabCommand.h"

#include "platform/ClassAccess.h"
#include "platform/ClassLayout.h"
#include "platform/EInOutError.h"
#include "platform/InstalledData.h"
#include "platform/LabTemplate.h"
#include "admission/BankCheck.h"
#include "admission/BankFormat.h"
#include "admission/BankImage.h"
#include "admission/SourceError.h"
#include "journal/Journal.h"
#include "journal/JournalCheck.h"
#include "journal/JournalLock.h"
#include "journal/JournalLockFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <memory>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Usage = QStringLiteral("usage: oplab-data lab init [--force] [--group GROUP [--owner USER]] DIR | lab check DIR");

// The checklist of "lab check": one line per check, marked.
class Checklist
{
public:
    explicit Checklist(QTextStream& out)
        : Out(out)
    {
    }

    void add(bool passed, const QString& text)
    {
        Out << (passed ? "✓ " : "✗ ") << text << '\n';
        ++Checks;
        Failed += passed ? 0 : 1;
    }
    int finish()
    {
        Out << QStringLiteral("проверок: %1, не пройдено: %2").arg(Checks).arg(Failed) << Qt::endl;
        return Failed > 0 ? 1 : 0;
    }

private:
    QTextStream& Out;
    int Checks = 0;
    int Failed = 0;
};

// The whole of a file of the lab folder, or the reason it cannot be read.
bool readWhole(const QString& path, QByteArray& bytes, QString& problem)
{
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        problem = QStringLiteral("нет файла");
        return false;
    }
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("не читается (%1)").arg(file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

QString accountName(uid_t uid)
{
    const passwd* pw = ::getpwuid(uid);
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(uid);
}

QString groupName(gid_t gid)
{
    const group* gr = ::getgrgid(gid);
    return gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(gid);
}

// A mode as chmod takes it: "0644", "2755".
QString octal(mode_t mode)
{
    return QString::number(mode, 8).rightJustified(4, QLatin1Char('0'));
}

QString systemText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Returns the pictures the page shows from the lab folder, as it names them.
QStringList checkTheoryPage(Checklist& list, const QString& dir)
{
    QByteArray page;
    QString problem;
    if (!readWhole(dir + QStringLiteral("/1.htm"), page, problem)) {
        list.add(false, QStringLiteral("1.htm (страница теории): ") + problem);
        return {};
    }
    list.add(true, QStringLiteral("1.htm (страница теории): %1 байт").arg(page.size()));
    static const QRegularExpression source(QStringLiteral("<img[^>]*\\ssrc\\s*=\\s*[\"']?([^\"'\\s>]+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList pictures;
    QStringList missing;
    auto it = source.globalMatch(QString::fromLatin1(page));
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        if (name.contains(QLatin1Char(':')) || pictures.contains(name))
            continue; // a picture from elsewhere, or one shown twice
        pictures << name;
        if (!QFileInfo(dir + QLatin1Char('/') + name).isReadable())
            missing << name;
    }
    if (!pictures.isEmpty())
        list.add(missing.isEmpty(), missing.isEmpty()
                     ? QStringLiteral("1.htm: рисунков: %1, все на месте").arg(pictures.size())
                     : QStringLiteral("1.htm: нет рисунков: %1").arg(missing.join(QStringLiteral(", "))));
    return pictures;
}
void checkInstructions(Checklist& list, const QString& dir)
{
    QByteArray rtf;
    QString problem;
    if (!readWhole(dir + QStringLiteral("/1.rtf"), rtf, problem))
        list.add(false, QStringLiteral("1.rtf (методические указания): ") + problem);
    else if (!rtf.startsWith("{\\rtf"))
        list.add(false, QStringLiteral("1.rtf (методические указания): не документ RTF"));
    else
        list.add(true, QStringLiteral("1.rtf (методические указания): %1 байт").arg(rtf.size()));
}

void checkBank(Checklist& list, const QString& dir, const QString& name, const QString& role)
{
    QByteArray bank;
    QString problem;
    const QString what = name + QStringLiteral(" (") + role + QStringLiteral("): ");
    if (!readWhole(dir + QLatin1Char('/') + name, bank, problem)) {
        list.add(false, what + problem);
        return;
    }
    const qsizetype questions = qsizetype(BankImage::records(bank).size());
    const qsizetype faults = BankCheck::findings(bank).size();
    if (faults > 0)
        list.add(false, what + QStringLiteral("вопросов %1, замечаний %2 (oplab-data bank check %3)")
                                   .arg(questions).arg(faults).arg(QDir(dir).filePath(name)));
    else if (questions < 5)
        list.add(false, what + QStringLiteral("вопросов %1, а тест берёт из банка 5").arg(questions));
    else
        list.add(true, what + QStringLiteral("вопросов %1, без замечаний").arg(questions));
}


void checkJournal(Checklist& list, const QString& dir)
{
    const QString path = dir + QLatin1Char('/') + Journal::DefaultFileName;
    const QString what = Journal::DefaultFileName + QStringLiteral(" (журнал): ");
    if (!QFileInfo::exists(path)) {
        list.add(true, what + QStringLiteral("ещё нет, его создаст первая регистрация"));
        return;
    }
    try {
        Journal journal(path);
        journal.openForReading();
        JournalLock lock(journal, JournalLock::Shared);
        JournalCheck check;
        constexpr std::int64_t Block = 4096;
        const auto block = std::make_unique<StudentRecord[]>(Block);
        while (const std::int64_t got = journal.file().readBlock(block.get(), Block))
            for (std::int64_t j = 0; j < got; ++j)
                check.record(block[j]);
        check.end(QFileInfo(path).size());
        lock.release();
        journal.close();
        if (check.findings() > 0) {
            list.add(false, what + check.summary() + QStringLiteral(" (oplab-data journal check %1)").arg(path));
            return;
        }
        list.add(true, what + check.summary());
    } catch (const Exception& e) {
        list.add(false, what + e.message());
        return;
    }
    // The bench opens the journal for writing: a file without a write
    // permission, or one this account may not write, fails registration.
    QFile file(path);
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!(file.permissions() & writeBits) || !file.open(QIODevice::ReadWrite))
        list.add(false, what + QStringLiteral("эта учётная запись не может его записать: "
                                              "регистрация кончится \"File access denied\""));
}

// ---- A class in the lab folder -----------------------------------------------

// An answer key in plain text: a question source that states the right
// answers, as the bank import reads it (Aiken, Moodle XML, GIFT). An Aiken
// source is known by its answer lines even where a fault would refuse its
// import.
bool holdsAnswerKey(const QByteArray& text, const QString& name)
{
    if (text.contains('\0'))
        return false; // a bank, a picture, the journal
    static const QRegularExpression aikenAnswer(QStringLiteral("^[ \\t]*ANSWER[ \\t]*:[ \\t]*[A-Za-z]"),
                                                QRegularExpression::MultilineOption);
    if (aikenAnswer.match(QString::fromLatin1(text)).hasMatch())
        return true;
    for (const BankFormat::Kind kind : { BankFormat::MoodleXml, BankFormat::Gift }) {
        try {
            if (!BankFormat::read(kind, text, name).Records.empty())
                return true;
        } catch (const Exception&) {
        }
    }
    return false;
}

// The files of the lab folder and its subfolders, paths relative to it,
// outside the journal's lock folder; links to files are named too, links
// to folders are not followed.
QStringList filesIn(const QString& dir)
{
    const QString lockFolder = QFileInfo(JournalLockFile::folderFor(Journal::DefaultFileName)).fileName();
    const QDir root(dir);
    QStringList out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = root.relativeFilePath(it.next());
        if (!relative.startsWith(lockFolder + QLatin1Char('/')))
            out << relative;
    }
    out.sort();
    return out;
}

// The first `limit` bytes of a regular file; nothing of anything else (a
// pipe planted in the folder must not hold the check up) or of a file this
// account cannot read. A link is followed only when asked.
QByteArray readRegular(const QString& path, qint64 limit, bool followLinks)
{
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    struct stat st {};
    QFile file;
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)
        && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return file.read(limit);
    if (fd >= 0)
        ::close(fd);
    return QByteArray();
}

// The files of the lab folder that hold an answer key, among those
// `considered`, as far as this account can read them.
QStringList answerKeysIn(const QString& dir, bool followLinks, const std::function<bool(const QString&)>& considered)
{
    constexpr qint64 Largest = 4 << 20; // far above any question source
    QStringList keys;
    for (const QString& name : filesIn(dir))
        if (name != Journal::DefaultFileName && considered(name)
            && holdsAnswerKey(readRegular(QDir(dir).filePath(name), Largest, followLinks), name))
            keys << name;
    return keys;
}

// The lab folder as its class uses it: the class is the folder's group,
// the instructor the folder's owner.
struct ClassFolder
{
    QString Dir;
    ClassAccess::Entry Folder;
    ClassAccess Access;
    QString Group;
    QString Mend; // "; исправит: ..."

    static ClassFolder of(const QString& dir, const ClassAccess::Entry& folder)
    {
        // A folder whose group is root's or its owner's own has no class
        // group yet: the mend names none.
        const passwd* owner = ::getpwuid(folder.Owner);
        const bool noClass = folder.Group == 0 || (owner && owner->pw_gid == folder.Group);
        return ClassFolder { dir, folder, ClassAccess(folder.Group, folder.Owner), groupName(folder.Group),
                             QStringLiteral("; исправит: %1oplab-data lab init %2 --group %3")
                                 .arg(::geteuid() == 0 ? QString() : QStringLiteral("sudo "), dir,
                                      noClass ? QStringLiteral("ГРУППА") : groupName(folder.Group)) };
    }

    // To whom among the students the rights to the entry are open, in the
    // dative ("группе students"); empty when to none.
    QString openTo(const ClassAccess::Entry& e, int rights) const
    {
        if (Access.everyStudentMay(e, rights))
            return e.Group == Access.classGroup() ? QStringLiteral("группе %1").arg(Group)
                                                  : QStringLiteral("всем учётным записям");
        if (Access.ownedByAStudent(e))
            return QStringLiteral("владельцу %1").arg(accountName(e.Owner));
        return QString();
    }

    // Why a student may remove or rename a file of the folder; empty when
    // no student may.
    QString removableBecause(const ClassAccess::Entry& file, const ClassAccess::Entry& folder) const
    {
        if (!Access.someStudentMayRemove(file, folder))
            return QString();
        if ((folder.Mode & S_ISVTX) && Access.ownedByAStudent(file))
            return QStringLiteral("файл принадлежит %1").arg(accountName(file.Owner));
        if (folder.Mode & S_ISVTX)
            return QStringLiteral("папка принадлежит %1").arg(accountName(folder.Owner));
        return QStringLiteral("папка открыта для записи %1").arg(openTo(folder, ClassAccess::Write | ClassAccess::Search));
    }
};

// That every student may write the journal, or make it before the first
// registration; that none may remove, rename or close it.
void checkSharedJournal(Checklist& list, const ClassFolder& c)
{
    const QString journal = QDir(c.Dir).filePath(Journal::DefaultFileName);
    const std::optional<ClassAccess::Entry> entry = ClassAccess::of(journal);
    const int readWrite = ClassAccess::Read | ClassAccess::Write;
    if (!c.Access.everyStudentMay(c.Folder, ClassAccess::Search))
        list.add(false, QStringLiteral("журнал: студенты группы %1 не могут открыть папку").arg(c.Group) + c.Mend);
    else if (!entry && c.Access.everyStudentMay(c.Folder, ClassAccess::Write | ClassAccess::Search))
        list.add(true, QStringLiteral("журнал: ещё нет; его создаст первая регистрация, и писать его смогут все "
                                      "студенты группы %1").arg(c.Group));
    else if (!entry)
        list.add(false, QStringLiteral("журнал: ещё нет, а студенты группы %1 не могут создать его в папке").arg(c.Group)
                     + c.Mend);
    else if (c.Access.everyStudentMay(*entry, readWrite))
        list.add(true, QStringLiteral("журнал: его могут записывать все студенты группы %1").arg(c.Group));
    else
        list.add(false, QStringLiteral("журнал: его может записывать только %1, а не группа %2: регистрация других "
                                       "студентов кончится \"File access denied\"")
                                .arg(accountName(entry->Owner), c.Group)
                     + c.Mend);

    // Before the first registration the journal to come is judged: a
    // student's bench makes it, and it is that student's.
    QStringList why;
    if (entry) {
        why << c.removableBecause(*entry, c.Folder);
        if (c.Access.ownedByAStudent(*entry))
            why << QStringLiteral("журнал принадлежит %1").arg(accountName(entry->Owner));
    } else if (c.Access.someStudentMay(c.Folder, ClassAccess::Write | ClassAccess::Search)) {
        why << QStringLiteral("журнал создаст и получит студент, папка открыта для записи %1")
                   .arg(c.openTo(c.Folder, ClassAccess::Write | ClassAccess::Search));
    }
    why.removeAll(QString());
    why.removeDuplicates();
    list.add(why.isEmpty(), why.isEmpty()
                 ? QStringLiteral("журнал: студенты не могут его удалить, переименовать или закрыть от группы")
                 : QStringLiteral("журнал: студенты могут его удалить, переименовать или закрыть от группы: ")
                         + why.join(QStringLiteral("; ")) + c.Mend);
}

// That no student may change, remove or rename a document or a bank.
void checkDocuments(Checklist& list, const ClassFolder& c, const QStringList& pictures)
{
    QStringList names { QStringLiteral("1.htm"), QStringLiteral("1.rtf"), QStringLiteral("Qest.txt"),
                        QStringLiteral("Qest1.txt") };
    names += pictures;
    QStringList writable;
    QStringList removable;
    QStringList why;
    for (const QString& name : names) {
        const QString path = QDir(c.Dir).filePath(name);
        const std::optional<ClassAccess::Entry> file = ClassAccess::of(path);
        const std::optional<ClassAccess::Entry> folder = ClassAccess::of(QFileInfo(path).absolutePath());
        if (!file || !folder)
            continue; // named by the checks of the documents
        const QString open = c.openTo(*file, ClassAccess::Write);
        if (!open.isEmpty()) {
            writable << name;
            why << QStringLiteral("запись открыта %1").arg(open);
        }
        QString gone = c.removableBecause(*file, *folder);
        if (gone.isEmpty() && name.contains(QLatin1Char('/')))
            gone = c.removableBecause(*folder, c.Folder); // the subfolder, and the picture with it
        if (!gone.isEmpty()) {
            removable << name;
            why << gone;
        }
    }
    why.removeDuplicates();
    if (writable.isEmpty() && removable.isEmpty()) {
        list.add(true, QStringLiteral("документы и банки: студенты не могут их изменить, удалить или переименовать"));
        return;
    }
    QStringList named = writable + removable;
    named.removeDuplicates();
    const QString verbs = removable.isEmpty() ? QStringLiteral("изменить")
        : writable.isEmpty()                  ? QStringLiteral("удалить или подменить")
                                              : QStringLiteral("изменить, удалить или подменить");
    list.add(false, QStringLiteral("документы и банки: студенты могут %1 %2 (%3)")
                        .arg(verbs, named.join(QStringLiteral(", ")), why.join(QStringLiteral("; ")))
                 + c.Mend);
}

// That no file a student may read holds an answer key in plain text.
void checkAnswerKeys(Checklist& list, const ClassFolder& c)
{
    // A student reading the folder follows links.
    const QStringList keys = answerKeysIn(c.Dir, true, [&](const QString& name) {
        // Every folder on the way must be open to the students, and the
        // file to reading.
        QString path = c.Dir;
        for (const QString& part : name.split(QLatin1Char('/'))) {
            const std::optional<ClassAccess::Entry> folder = ClassAccess::of(path);
            if (!folder || !c.Access.someStudentMay(*folder, ClassAccess::Search))
                return false;
            path += QLatin1Char('/') + part;
        }
        const std::optional<ClassAccess::Entry> file = ClassAccess::of(path);
        return file && c.Access.someStudentMay(*file, ClassAccess::Read);
    });
    list.add(keys.isEmpty(), keys.isEmpty()
                 ? QStringLiteral("ключи ответов: в файлах, которые могут прочесть студенты, ответов теста нет")
                 : QStringLiteral("ключи ответов: %1: ответы теста открытым текстом, их могут прочесть студенты")
                         .arg(keys.join(QStringLiteral(", ")))
                     + c.Mend);
}

// Makes and removes a scratch file in the folder as this account: 0 when
// it could, else the error.
int tryScratchFile(const QString& folder)
{
    const QByteArray name = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".oplab-check-%1").arg(::getpid())));
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(name.constData());
    return 0;
}

// That every student may make and break lock files in the journal's lock
// folder, and this account does.
void checkLockFolder(Checklist& list, const ClassFolder& c)
{
    const QString path = JournalLockFile::folderFor(QDir(c.Dir).filePath(Journal::DefaultFileName));
    const QString what = QStringLiteral("папка блокировок %1: ").arg(QFileInfo(path).fileName());
    const std::optional<ClassAccess::Entry> folder = ClassAccess::of(path);
    if (!folder) {
        if (c.Access.everyStudentMay(c.Folder, ClassAccess::Write | ClassAccess::Search))
            list.add(true, what + QStringLiteral("ещё нет, её создаст первая регистрация для группы %1").arg(c.Group));
        else
            list.add(false, what + QStringLiteral("нет, а студенты не могут создать её в папке") + c.Mend);
        return;
    }
    QStringList problems;
    if (!S_ISDIR(folder->Mode)) {
        problems << QStringLiteral("это не папка");
    } else {
        if (!c.Access.everyStudentMay(*folder, ClassAccess::Read | ClassAccess::Write | ClassAccess::Search))
            problems << QStringLiteral("студенты группы %1 не могут создавать в ней файлы").arg(c.Group);
        if (folder->Mode & S_ISVTX)
            problems << QStringLiteral("у неё стоит бит sticky: студент не снимет брошенную блокировку другого");
        if (c.Access.ownedByAStudent(*folder))
            problems << QStringLiteral("она принадлежит %1").arg(accountName(folder->Owner));
        if (const int err = tryScratchFile(path))
            problems << QStringLiteral("эта учётная запись не может создать в ней файл (%1)").arg(systemText(err));
    }
    list.add(problems.isEmpty(), problems.isEmpty()
                 ? what + QStringLiteral("студенты группы %1 могут брать и снимать в ней блокировки").arg(c.Group)
                 : what + problems.join(QStringLiteral("; ")) + c.Mend);
}

struct Mount
{
    QString Type;
    QSet<QString> Options;
};

QString unescapeMountPath(const QByteArray& field)
{
    // Blanks and the like are written as octal escapes: "\040".
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int c = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += char(c);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QFile::decodeName(out);
}

Mount mountOf(const QString& dir)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    const QString path = QFileInfo(dir).canonicalFilePath();
    Mount best;
    qsizetype bestLength = -1;
    if (path.isEmpty() || !table.open(QIODevice::ReadOnly))
        return best;
    for (const QByteArray& line : table.readAll().split('\n')) {
        // id parent dev root MOUNTPOINT OPTIONS [tags...] - TYPE SOURCE SUPER-OPTIONS
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 6 || dash < 6 || dash + 3 >= fields.size())
            continue;
        const QString point = unescapeMountPath(fields[4]);
        const bool under = path == point || point == QLatin1String("/")
            || path.startsWith(point + QLatin1Char('/'));
        if (!under || point.size() <= bestLength)
            continue;
        bestLength = point.size();
        best.Type = QString::fromLatin1(fields[dash + 1]);
        best.Options.clear();
        for (const QByteArray& o : fields[5].split(',') + fields[dash + 3].split(','))
            best.Options.insert(QString::fromLatin1(o));
    }
    return best;
}

// Whether this account can make and remove files in the folder, and what
// locks its file system gives, tried on a scratch file there.

// Whether this account can make files in the folder, where the bench
// creates the journal: the check of a folder of one account.
void checkFolder(Checklist& list, const QString& dir)
{
    if (const int err = tryScratchFile(dir))
        list.add(false, QStringLiteral("папка: эта учётная запись не может создавать в ней файлы (%1): "
                                       "журнал не будет создан")
                            .arg(systemText(err)));
    else
        list.add(true, QStringLiteral("папка: эта учётная запись может создавать в ней файлы"));
}

// Takes and gives back the journal's lock file as the programs take it,
// in the lock folder; a second try meanwhile must find it held. One held
// by a running bench shows it working too. Empty when it works, else why
// not. A lock folder made for the try is removed again.
QString tryLockFile(const QString& journalPath)
{
    const QByteArray folder = QFile::encodeName(JournalLockFile::folderFor(journalPath));
    const bool hadFolder = ::access(folder.constData(), F_OK) == 0;
    QString problem;
    {
        JournalLockFile first(journalPath);
        JournalLockFile second(journalPath);
        try {
            if (first.tryAcquire() && second.tryAcquire())
                problem = QStringLiteral("его взяли дважды");
            first.release();
        } catch (const Exception& e) {
            problem = e.message();
        }
    }
    if (!hadFolder)
        ::rmdir(folder.constData());
    return problem;
}

// What locks the folder's file system gives, tried as this account where
// the programs take them: a record lock on the journal (or, before the
// first registration, on a scratch file where the journal will stand, else
// in the lock folder), and the journal's lock file, which every writer
// takes and which alone guards the journal where record locks are refused.
void checkLocks(Checklist& list, const QString& dir)
{
    const QString journalPath = QDir(dir).filePath(Journal::DefaultFileName);
    QByteArray name = QFile::encodeName(journalPath);
    int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    QByteArray scratch;
    for (const QString& folder : { dir, JournalLockFile::folderFor(journalPath) }) {
        if (fd >= 0)
            break;
        scratch = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".oplab-check-%1").arg(::getpid())));
        name = scratch;
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    }
    if (fd < 0) {
        list.add(false, QStringLiteral("блокировки: не на чем проверить: журнал этой учётной записи не открыть, "
                                       "а создать файл ни в папке, ни в папке блокировок она не может"));
        return;
    }

    const Mount mount = mountOf(dir);
    const QString fs = mount.Type.isEmpty() ? QString() : QStringLiteral("файловая система %1, ").arg(mount.Type);
    const QString lockFile = QDir(dir).relativeFilePath(JournalLockFile::pathFor(journalPath));
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    int err = 0;
    bool busy = false;
    if (::fcntl(fd, F_SETLK, &fl) != 0) {
        err = errno;
        // A bench holds the journal right now: record locks work.
        busy = err == EAGAIN || err == EACCES;
        if (busy)
            err = 0;
    }
    if (err == 0) {
        // A second, independent handle must meet the lock as another
        // computer's program would.
        bool conflict = busy;
        if (!busy) {
            const int other = ::open(name.constData(), O_RDWR | O_CLOEXEC);
            struct flock probe {};
            probe.l_type = F_WRLCK;
            probe.l_whence = SEEK_SET;
            conflict = other >= 0 && ::fcntl(other, F_OFD_SETLK, &probe) != 0 && (errno == EAGAIN || errno == EACCES);
            if (other >= 0)
                ::close(other);
        }
        const bool nfsLocal = mount.Type.startsWith(QLatin1String("nfs"))
            && (mount.Options.contains(QStringLiteral("local_lock=all"))
                || mount.Options.contains(QStringLiteral("local_lock=posix"))
                || mount.Options.contains(QStringLiteral("nolock")));
        const bool smbLocal = (mount.Type == QLatin1String("cifs") || mount.Type == QLatin1String("smb3"))
            && mount.Options.contains(QStringLiteral("nobrl"));
        if (!conflict)
            list.add(false, QStringLiteral("блокировки: %1блокировки записей принимаются, "
                                           "но не соблюдаются").arg(fs));
        else if (nfsLocal || smbLocal)
            list.add(false, QStringLiteral("блокировки: %1папка смонтирована с %2, блокировки действуют только "
                                           "на этом компьютере; смонтируйте её без этого параметра")
                                .arg(fs, nfsLocal ? QStringLiteral("nolock/local_lock") : QStringLiteral("nobrl")));
        else if (const QString problem = tryLockFile(journalPath); !problem.isEmpty())
            // Benches that all have record locks are guarded by them alone.
            list.add(true, QStringLiteral("блокировки: %1блокировки записей работают; файл блокировки %2 эта "
                                          "учётная запись не берёт (%3), журнал защищает одна блокировка записей")
                               .arg(fs, lockFile, problem));
        else
            list.add(true, QStringLiteral("блокировки: %1блокировки записей работают").arg(fs));
    } else if (JournalLock::isRefusal(err)) {
        const QString problem = tryLockFile(journalPath);
        list.add(problem.isEmpty(),
                 problem.isEmpty()
                     ? QStringLiteral("блокировки: %1блокировок записей нет (%2), журнал защищает файл блокировки %3")
                           .arg(fs, QString::fromLatin1(err == ENOLCK ? "ENOLCK" : err == EINVAL ? "EINVAL" : "EOPNOTSUPP"),
                                lockFile)
                     : QStringLiteral("блокировки: %1нет ни блокировок записей, ни файла блокировки %2 (%3)")
                           .arg(fs, lockFile, problem));
    } else {
        list.add(false, QStringLiteral("блокировки: %1%2").arg(fs, systemText(err)));
    }
    ::close(fd);
    if (!scratch.isEmpty())
        ::unlink(scratch.constData());
}

int check(const CommandLine& command, const QString& dir)
{
    const std::optional<ClassAccess::Entry> folder = ClassAccess::of(dir);
    if (!folder || !S_ISDIR(folder->Mode))
        return command.fail(QStringLiteral("%1: no such folder").arg(dir));
    Checklist list(command.Out);
    const QStringList pictures = checkTheoryPage(list, dir);
    checkInstructions(list, dir);
    checkBank(list, dir, QStringLiteral("Qest.txt"), QStringLiteral("вопросы 1-5"));
    checkBank(list, dir, QStringLiteral("Qest1.txt"), QStringLiteral("вопросы 6-10"));
    checkJournal(list, dir);
    if (folder->Owner == ::geteuid() && groupName(folder->Group) == accountName(folder->Owner)) {
        // The account's own folder, its group the account's own (a
        // personal lab folder, or one not yet given to a class): the
        // checks of a class do not apply.
        checkFolder(list, dir);
        list.add(true, QStringLiteral("папка одной учётной записи (%1, группа %2): проверки класса не нужны; "
                                      "папка для класса: oplab-data lab init %3 --group ГРУППА")
                           .arg(accountName(folder->Owner), groupName(folder->Group), dir));
    } else {
        const ClassFolder c = ClassFolder::of(dir, *folder);
        checkSharedJournal(list, c);
        checkDocuments(list, c, pictures);
        checkAnswerKeys(list, c);
        checkLockFolder(list, c);
    }
    checkLocks(list, dir);
    return list.finish();
}

// ---- lab init -----------------------------------------------------------------

// An account or a group by its name or number.
std::optional<uid_t> accountOf(const QString& text)
{
    if (const passwd* pw = ::getpwnam(QFile::encodeName(text).constData()))
        return pw->pw_uid;
    bool ok = false;
    const uint number = text.toUInt(&ok);
    return ok ? std::optional<uid_t>(uid_t(number)) : std::nullopt;
}

std::optional<gid_t> groupOf(const QString& text)
{
    if (const group* gr = ::getgrnam(QFile::encodeName(text).constData()))
        return gr->gr_gid;
    bool ok = false;
    const uint number = text.toUInt(&ok);
    return ok ? std::optional<gid_t>(gid_t(number)) : std::nullopt;
}

// Whose the files of a class's folder are: the account named, else the
// one that ran sudo, else this one.
std::optional<uid_t> instructorOf(const QString& owner)
{
    if (!owner.isEmpty())
        return accountOf(owner);
    if (::geteuid() == 0) {
        bool ok = false;
        const uint sudoUid = QString::fromLocal8Bit(std::getenv("SUDO_UID")).toUInt(&ok);
        if (ok && sudoUid != 0)
            return uid_t(sudoUid);
    }
    return ::geteuid();
}

struct InitOptions
{
    bool Force = false;
    QString Group; // empty: a folder of one account
    QString Owner;
};

int init(const CommandLine& command, const QString& dir, const InitOptions& options)
{
    const LabTemplate lab(InstalledData::labTemplate());
    if (lab.files().isEmpty())
        return command.fail(QStringLiteral("%1: the lab template is missing").arg(lab.dir()));
    std::optional<gid_t> group;
    std::optional<uid_t> instructor;
    if (!options.Group.isEmpty()) {
        group = groupOf(options.Group);
        if (!group)
            return command.fail(QStringLiteral("no group '%1'").arg(options.Group));
        instructor = instructorOf(options.Owner);
        if (!instructor)
            return command.fail(QStringLiteral("no account '%1'").arg(options.Owner));
    }
    // A class's folder is mended as often as asked: the documents missing
    // are laid out, those there kept unless --force.
    if (!options.Force && !group) {
        const QStringList present = lab.presentIn(dir);
        if (!present.isEmpty())
            return command.fail(QStringLiteral("%1: already holds %2; nothing is changed (--force replaces the "
                                               "documents, never the journal; --group mends a class's folder)")
                                    .arg(dir, present.join(QStringLiteral(", "))));
    }
    const bool hadJournal = QFileInfo::exists(QDir(dir).filePath(Journal::DefaultFileName));
    QStringList written;
    if (options.Force || !group) {
        written = lab.copyTo(dir, true);
    } else {
        if (!QDir().mkpath(dir))
            return command.fail(QStringLiteral("%1: cannot make the folder").arg(dir));
        for (const QString& name : lab.files())
            if (!QFileInfo::exists(QDir(dir).filePath(name)))
                written << name;
        lab.copyTo(dir, false);
    }
    for (const QString& name : written)
        command.Out << QDir(dir).filePath(name) << '\n';
    command.Out << QStringLiteral("папка лабораторной работы %1: файлов записано %2").arg(dir).arg(written.size());
    if (!group) {
        if (hadJournal)
            command.Out << QStringLiteral(", журнал %1 оставлен как был").arg(Journal::DefaultFileName);
        command.Out << Qt::endl;
        return 0;
    }

    // Answer keys found in the folder (the sources an older template laid
    // out there, or the instructor's own) become the instructor's alone.
    // Read as root, perhaps, in a folder that students could write: a link
    // is not followed, and would be left alone anyway.
    const QStringList keys = answerKeysIn(dir, false, [](const QString&) { return true; });
    const QString lockFolder = QFileInfo(JournalLockFile::folderFor(Journal::DefaultFileName)).fileName();
    ClassLayout layout(dir, Journal::DefaultFileName, lockFolder, *instructor, *group);
    layout.setPrivate(QSet<QString>(keys.begin(), keys.end()));
    layout.apply();
    command.Out << (layout.madeJournal() ? QStringLiteral(", журнал %1 создан пустым")
                                         : QStringLiteral(", журнал %1 оставлен как был"))
                       .arg(Journal::DefaultFileName)
                << '\n';
    command.Out << QStringLiteral("папка для класса группы %1: всё в ней принадлежит %2 и группе %1; папка %3, "
                                  "документы и банки %4, журнал %5, папка блокировок %6 %7")
                       .arg(groupName(*group), accountName(*instructor), octal(ClassLayout::FolderMode),
                            octal(ClassLayout::DocumentMode), octal(ClassLayout::JournalMode), lockFolder,
                            octal(ClassLayout::LockFolderMode))
                << '\n';
    for (const QString& key : keys)
        command.Out << QStringLiteral("%1: ответы теста открытым текстом, теперь их читает только %2 (%3); "
                                      "уберите файл из папки")
                           .arg(key, accountName(*instructor), octal(ClassLayout::PrivateMode))
                    << '\n';
    for (const QString& entry : layout.leftAlone())
        command.Out << QStringLiteral("оставлено как было: %1").arg(entry) << '\n';
    command.Out.flush();
    for (const QString& failure : layout.failed())
        command.fail(QDir(dir).filePath(failure));
    return layout.failed().isEmpty() ? 0 : 2;
}

} // namespace

int runLabCommand(const CommandLine& command)
{
    QStringList args = command.Args;
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
    InitOptions options;
    bool usable = verb == QLatin1String("check") || verb == QLatin1String("init");
    if (verb == QLatin1String("init")) {
        options.Force = args.removeAll(QStringLiteral("--force")) > 0;
        for (auto [option, value] : { std::pair { QStringLiteral("--group"), &options.Group },
                                      std::pair { QStringLiteral("--owner"), &options.Owner } }) {
            const qsizetype at = args.indexOf(option);
            if (at < 0)
                continue;
            if (at + 1 >= args.size() || args.count(option) > 1) {
                usable = false;
                break;
            }
            *value = args.takeAt(at + 1);
            args.removeAt(at);
        }
        // The owner is the one of a class's folder.
        usable = usable && (options.Owner.isEmpty() || !options.Group.isEmpty());
    }
    if (!usable || args.size() != 1)
        return command.fail(Usage);
    try {
        return verb == QLatin1String("init") ? init(command, args[0], options) : check(command, args[0]);
    } catch (const Exception& e) {
        command.Out.flush();
        return command.fail(e.message());
    }
}
