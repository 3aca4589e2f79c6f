#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A scratch lab folder made the current directory for the life of the
// object: the ready files of the build's lab folder are copied in (all of
// them, or those named), and the previous current directory comes back at
// the end.
class LabFolder
{
public:
    explicit LabFolder(const QStringList& files = {});
    ~LabFolder();

    QString path() const { return Dir.path(); }
    QString file(const QString& name) const { return Dir.filePath(name); }

    // Copies a file of the build's lab folder in.
    bool copyFromLab(const QString& name) const;
    static QString labDir();

private:
    QTemporaryDir Dir;
    QString Previous;
};
