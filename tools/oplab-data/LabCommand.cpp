#include "LabCommand.h"

#include "platform/EInOutError.h"
#include "platform/InstalledData.h"
#include "platform/LabTemplate.h"
#include "admission/BankCheck.h"
#include "admission/BankImage.h"
#include "journal/Journal.h"
#include "journal/JournalCheck.h"
#include "journal/JournalLock.h"
#include "journal/JournalLockFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

const QString Usage = QStringLiteral("usage: oplab-data lab init [--force] DIR | lab check DIR");

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

void checkTheoryPage(Checklist& list, const QString& dir)
{
    QByteArray page;
    QString problem;
    if (!readWhole(dir + QStringLiteral("/1.htm"), page, problem)) {
        list.add(false, QStringLiteral("1.htm (страница теории): ") + problem);
        return;
    }
    list.add(true, QStringLiteral("1.htm (страница теории): %1 байт").arg(page.size()));
    // The pictures the page shows from the lab folder.
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

// The mount of the folder: its file system type and options, from the
// kernel's table of mounts; empty when it cannot be told.
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
void checkFolderAndLocks(Checklist& list, const QString& dir)
{
    const QString scratch = QDir(dir).filePath(QStringLiteral(".oplab-check-%1").arg(::getpid()));
    const QByteArray name = QFile::encodeName(scratch);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        list.add(false, QStringLiteral("папка: эта учётная запись не может создавать в ней файлы (%1): "
                                       "журнал не будет создан")
                            .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    list.add(true, QStringLiteral("папка: эта учётная запись может создавать в ней файлы"));

    const Mount mount = mountOf(dir);
    const QString fs = mount.Type.isEmpty() ? QString() : QStringLiteral("файловая система %1, ").arg(mount.Type);
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    int err = 0;
    if (::fcntl(fd, F_SETLK, &fl) != 0)
        err = errno;
    if (err == 0) {
        // A second, independent handle must meet the lock as another
        // computer's program would.
        const int other = ::open(name.constData(), O_RDWR | O_CLOEXEC);
        struct flock probe {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        const bool conflict = other >= 0 && ::fcntl(other, F_OFD_SETLK, &probe) != 0
            && (errno == EAGAIN || errno == EACCES);
        if (other >= 0)
            ::close(other);
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
        else
            list.add(true, QStringLiteral("блокировки: %1блокировки записей работают").arg(fs));
    } else if (JournalLock::isRefusal(err)) {
        // The journal's lock file stands in: tried on a scratch journal.
        JournalLockFile first(scratch);
        JournalLockFile second(scratch);
        bool works = false;
        try {
            works = first.tryAcquire() && !second.tryAcquire();
            first.release();
        } catch (const Exception&) {
        }
        list.add(works, works ? QStringLiteral("блокировки: %1блокировок записей нет (%2), журнал защищает "
                                               "файл блокировки Students.DAT.lock")
                                    .arg(fs, QString::fromLatin1(err == ENOLCK ? "ENOLCK" : err == EINVAL ? "EINVAL" : "EOPNOTSUPP"))
                              : QStringLiteral("блокировки: %1нет ни блокировок записей, ни файла блокировки").arg(fs));
    } else {
        list.add(false, QStringLiteral("блокировки: %1%2").arg(fs, QString::fromLocal8Bit(std::strerror(err))));
    }
    ::close(fd);
    ::unlink(name.constData());
}

int check(const CommandLine& command, const QString& dir)
{
    if (!QFileInfo(dir).isDir())
        return command.fail(QStringLiteral("%1: no such folder").arg(dir));
    Checklist list(command.Out);
    checkTheoryPage(list, dir);
    checkInstructions(list, dir);
    checkBank(list, dir, QStringLiteral("Qest.txt"), QStringLiteral("вопросы 1-5"));
    checkBank(list, dir, QStringLiteral("Qest1.txt"), QStringLiteral("вопросы 6-10"));
    checkJournal(list, dir);
    checkFolderAndLocks(list, dir);
    return list.finish();
}

int init(const CommandLine& command, const QString& dir, bool force)
{
    const LabTemplate lab(InstalledData::labTemplate());
    if (lab.files().isEmpty())
        return command.fail(QStringLiteral("%1: the lab template is missing").arg(lab.dir()));
    if (!force) {
        const QStringList present = lab.presentIn(dir);
        if (!present.isEmpty())
            return command.fail(QStringLiteral("%1: already holds %2; nothing is changed (--force replaces the "
                                               "documents, never the journal)")
                                    .arg(dir, present.join(QStringLiteral(", "))));
    }
    const QStringList written = lab.copyTo(dir, true);
    for (const QString& name : written)
        command.Out << QDir(dir).filePath(name) << '\n';
    command.Out << QStringLiteral("папка лабораторной работы %1: файлов записано %2").arg(dir).arg(written.size());
    if (QFileInfo::exists(QDir(dir).filePath(Journal::DefaultFileName)))
        command.Out << QStringLiteral(", журнал %1 оставлен как был").arg(Journal::DefaultFileName);
    command.Out << Qt::endl;
    return 0;
}

} // namespace

int runLabCommand(const CommandLine& command)
{
    QStringList args = command.Args;
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
    const bool force = verb == QLatin1String("init") && args.removeAll(QStringLiteral("--force")) > 0;
    if ((verb != QLatin1String("init") && verb != QLatin1String("check")) || args.size() != 1)
        return command.fail(Usage);
    try {
        return verb == QLatin1String("init") ? init(command, args[0], force) : check(command, args[0]);
    } catch (const Exception& e) {
        command.Out.flush();
        return command.fail(e.message());
    }
}
