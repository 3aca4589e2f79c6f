#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A file in a scratch folder of its own, rewritten with each input: the
// readers under test open files by name, as the bench and the tool do.
class ScratchFile
{
public:
    explicit ScratchFile(const QString& name);

    const QString& path() const { return Path; }
    QString folder() const { return Dir.path(); }

    // Replaces the file's content with the bytes given.
    void write(const QByteArray& bytes) const;
    QByteArray read() const;

private:
    QTemporaryDir Dir;
    QString Path;
};
