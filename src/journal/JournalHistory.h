#pragma once

#include "journal/JournalChange.h"
#include "journal/JournalContent.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

// The kept versions of one journal, in the instructor's own data folder
// ($XDG_DATA_HOME/oplab/history), out of the students' reach: whatever a
// student's account does to the journal in the lab folder, the versions
// kept before stay, and the journal can be written back from them.
//
// Each journal has a folder of its own, named after its file and a digest
// of its whole path ("Students.DAT-1f0c9a2b7d"), so the journals of two lab
// folders never share one; a file "journal" there names the journal. A
// version is a copy of the journal's bytes named by the local time it was
// kept, "2026-12-09T10:32:05.DAT"; a second version kept in the same second
// is "2026-12-09T10:32:05_2". The identifier of a version is its name
// without ".DAT". Versions are kept one at a time (a lock file in the
// folder), so the window and the timer of `journal keep` never write the
// same version twice.
class JournalHistory
{
public:
    // The history of the journal at `journalPath`, under `root` (the
    // instructor's history folder when empty).
    explicit JournalHistory(const QString& journalPath, const QString& root = QString());

    // $XDG_DATA_HOME/oplab/history
    static QString defaultRoot();
    // Whether the text has the form of a version's identifier.
    static bool isVersionId(const QString& text);

    const QString& journalPath() const { return JournalPath; }
    const QString& folder() const { return Folder; }

    // The identifiers of the versions kept, the oldest first; the latest
    // one, or empty when none is.
    QStringList versions() const;
    QString latest() const;
    bool hasVersion(const QString& id) const;
    QString versionPath(const QString& id) const;
    // A version's bytes; one not kept throws Exception naming it.
    JournalContent version(const QString& id) const;

    // Keeps `content` as a new version unless the latest one holds the same
    // bytes; the new version's identifier, or empty when none was kept. A
    // folder that cannot be made or written throws Exception.
    QString keep(const JournalContent& content);
    // Reads the journal under its shared lock and keeps it.
    QString keepJournal(int lockTimeoutMs = 5000);

    // The versions kept after `seen` (all when empty or no longer kept, at
    // most the last `limit`), each with its changes from the one before it;
    // `before` is given the version the first of them is compared with.
    std::vector<std::pair<QString, std::vector<JournalChange>>> changesAfter(const QString& seen, int limit,
                                                                             QString* before = nullptr) const;

    // Writes version `id` back to the journal under its exclusive lock: the
    // journal as it stands is kept first, then its records are replaced by
    // the version's whole records and the file is cut to them; the journal
    // so written is kept too. Returns the identifiers of the version kept
    // before (the latest, when the journal was already kept as it stood)
    // and of the one kept after.
    std::pair<QString, QString> restore(const QString& id, int lockTimeoutMs = 5000);

    // The clock that names the versions (the local time by default).
    void setNow(std::function<QDateTime()> now) { Now = std::move(now); }

private:
    QString JournalPath;
    QString Folder;
    std::function<QDateTime()> Now;
};
