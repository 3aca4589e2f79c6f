#pragma once

#include "journal/JournalLockFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A scratch lab folder for the tests of the journal and the instructor's
// window: a temporary folder that lasts as long as the test object, the
// journal's path in it, and a fresh start before each test. enter() makes
// it the current folder, for code that opens the journal by its bare name
// as the bench does, until leave().
class ScratchJournal
{
public:
    // `journal`: the journal's path inside the folder.
    explicit ScratchJournal(const QString& journal = QStringLiteral("Students.DAT"))
        : Name(journal)
    {
    }

    bool isValid() const { return Dir.isValid(); }
    // The folder, and a file in it.
    QString path() const { return Dir.path(); }
    QString filePath(const QString& name) const { return Dir.filePath(name); }
    // The journal's path.
    QString journal() const { return Dir.filePath(Name); }

    // Before each test: no journal and no lock folder left by the test
    // before, and the journal's folder there. False when the scratch folder
    // could not be made.
    bool fresh()
    {
        if (!Dir.isValid())
            return false;
        QFile::remove(journal());
        QDir(JournalLockFile::folderFor(journal())).removeRecursively();
        return QDir().mkpath(QFileInfo(journal()).absolutePath());
    }

    bool enter()
    {
        Previous = QDir::currentPath();
        return QDir::setCurrent(Dir.path());
    }
    void leave()
    {
        if (!Previous.isEmpty())
            QDir::setCurrent(Previous);
        Previous.clear();
    }

private:
    QTemporaryDir Dir;
    QString Name;
    QString Previous;
};
