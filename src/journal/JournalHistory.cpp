#include "journal/JournalHistory.h"

#include "journal/Journal.h"
#include "journal/JournalDiff.h"
#include "journal/JournalLock.h"
#include "platform/Exception.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString Suffix = QStringLiteral(".DAT");
const QString TimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

const QRegularExpression& idPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2})(?:_([1-9]\\d{0,8}))?$"));
    return pattern;
}

// The order of versions: by time, then by the number of a second one kept
// in the same second.
std::pair<QString, int> orderOf(const QString& id)
{
    const QRegularExpressionMatch m = idPattern().match(id);
    return { m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt() };
}

// The journal's whole path, with its folder's links resolved where the
// folder exists, so two spellings of one journal share one history.
QString wholePath(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName());
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Exception(QStringLiteral("история журнала: не удаётся записать %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace

JournalHistory::JournalHistory(const QString& journalPath, const QString& root)
    : JournalPath(wholePath(journalPath))
    , Now([] { return QDateTime::currentDateTime(); })
{
    const QByteArray digest = QCryptographicHash::hash(JournalPath.toUtf8(), QCryptographicHash::Sha256).toHex();
    const QString name = QFileInfo(JournalPath).fileName() + QLatin1Char('-') + QString::fromLatin1(digest.left(10));
    Folder = QDir(root.isEmpty() ? defaultRoot() : root).filePath(name);
}

QString JournalHistory::defaultRoot()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("oplab/history"));
}

bool JournalHistory::isVersionId(const QString& text)
{
    return idPattern().match(text).hasMatch();
}

QStringList JournalHistory::versions() const
{
    QStringList ids;
    const QStringList files = QDir(Folder).entryList({ QLatin1Char('*') + Suffix }, QDir::Files);
    for (const QString& file : files) {
        const QString id = file.chopped(Suffix.size());
        if (isVersionId(id))
            ids << id;
    }
    std::sort(ids.begin(), ids.end(), [](const QString& a, const QString& b) { return orderOf(a) < orderOf(b); });
    return ids;
}

QString JournalHistory::latest() const
{
    const QStringList ids = versions();
    return ids.isEmpty() ? QString() : ids.last();
}

bool JournalHistory::hasVersion(const QString& id) const
{
    return isVersionId(id) && QFileInfo(versionPath(id)).isFile();
}

QString JournalHistory::versionPath(const QString& id) const
{
    return QDir(Folder).filePath(id + Suffix);
}

JournalContent JournalHistory::version(const QString& id) const
{
    QFile file(versionPath(id));
    if (!isVersionId(id) || !file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("в истории журнала %1 нет версии %2")
                            .arg(QDir::toNativeSeparators(JournalPath), id));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Exception(QStringLiteral("история журнала: не удаётся прочитать %1: %2")
                            .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    return JournalContent(bytes);
}

QString JournalHistory::keep(const JournalContent& content)
{
    if (!QDir().mkpath(Folder))
        throw Exception(QStringLiteral("история журнала: не удаётся создать папку %1")
                            .arg(QDir::toNativeSeparators(Folder)));
    QLockFile lock(QDir(Folder).filePath(QStringLiteral(".lock")));
    lock.setStaleLockTime(30000);
    if (!lock.tryLock(10000))
        throw Exception(QStringLiteral("история журнала: папка %1 занята другой программой")
                            .arg(QDir::toNativeSeparators(Folder)));
    const QString journalNote = QDir(Folder).filePath(QStringLiteral("journal"));
    if (!QFileInfo::exists(journalNote))
        writeFile(journalNote, JournalPath.toUtf8() + '\n');

    const QString last = latest();
    if (!last.isEmpty() && version(last) == content)
        return QString();
    // Named by the time, never before the latest version (a clock set
    // back keeps the order), numbered when that second has one already.
    QString base = Now().toString(TimeFormat);
    if (!last.isEmpty() && base < orderOf(last).first)
        base = orderOf(last).first;
    QString id = base;
    for (int n = 2; QFileInfo::exists(versionPath(id)); ++n)
        id = QStringLiteral("%1_%2").arg(base).arg(n);
    writeFile(versionPath(id), content.bytes());
    return id;
}

QString JournalHistory::keepJournal(int lockTimeoutMs)
{
    return keep(JournalContent::read(JournalPath, lockTimeoutMs));
}

std::vector<std::pair<QString, std::vector<JournalChange>>> JournalHistory::changesAfter(const QString& seen,
                                                                                         int limit,
                                                                                         QString* before) const
{
    const QStringList ids = versions();
    qsizetype first = std::max<qsizetype>(ids.indexOf(seen) + 1, 1);
    first = std::max<qsizetype>(first, ids.size() - limit);
    std::vector<std::pair<QString, std::vector<JournalChange>>> out;
    if (first >= ids.size())
        return out;
    if (before)
        *before = ids[first - 1];
    JournalContent earlier = version(ids[first - 1]);
    for (qsizetype k = first; k < ids.size(); ++k) {
        JournalContent later = version(ids[k]);
        out.emplace_back(ids[k], JournalDiff::compare(earlier, later));
        earlier = std::move(later);
    }
    return out;
}

std::pair<QString, QString> JournalHistory::restore(const QString& id, int lockTimeoutMs)
{
    const JournalContent wanted = version(id);
    Journal journal(JournalPath);
    journal.setLockTimeout(lockTimeoutMs);
    journal.open();
    JournalLock lock(journal);
    TypedFile& file = journal.file();
    QString before = keep(JournalContent(file.readAll()));
    if (before.isEmpty())
        before = latest();
    // Written only while the lock is still this program's, as every
    // write of the journal.
    journal.checkLockHeld();
    file.seek(0);
    for (std::int64_t i = 0; i < wanted.count(); ++i) {
        const StudentRecord r = wanted.record(i);
        file.write(&r);
    }
    file.truncate(wanted.count());
    file.flush();
    const JournalContent written(file.readAll());
    lock.release();
    journal.close();
    return { before, keep(written) };
}
