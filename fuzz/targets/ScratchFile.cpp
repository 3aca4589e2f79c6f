#include "ScratchFile.h"

#include <QDir>
#include <QFile>

ScratchFile::ScratchFile(const QString& name)
    : Dir(QDir::tempPath() + QStringLiteral("/oplab-fuzz-XXXXXX"))
    , Path(Dir.filePath(name))
{
    if (!Dir.isValid())
        qFatal("cannot make a scratch folder in %s", qPrintable(QDir::tempPath()));
}

void ScratchFile::write(const QByteArray& bytes) const
{
    QFile f(Path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(Path));
}

QByteArray ScratchFile::read() const
{
    QFile f(Path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(Path));
    return f.readAll();
}
