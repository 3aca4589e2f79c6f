#include "support/LabFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

QString LabFolder::labDir()
{
    return qEnvironmentVariable("OPLAB_BUILD_DIR") + QStringLiteral("/lab");
}

LabFolder::LabFolder(const QStringList& files)
    : Previous(QDir::currentPath())
{
    // The whole lab but its journal: a scratch lab starts with none, as a
    // new lab does, whatever ./run.sh or the screenshots left in build/lab.
    const QStringList names = files.isEmpty()
        ? QDir(labDir()).entryList(QDir::Files).filter(QRegularExpression(QStringLiteral("^(?!Students\\.DAT)")))
        : files;
    for (const QString& name : names)
        copyFromLab(name);
    QDir::setCurrent(Dir.path());
}

LabFolder::~LabFolder()
{
    QDir::setCurrent(Previous);
}

bool LabFolder::copyFromLab(const QString& name) const
{
    const QString target = Dir.filePath(name);
    QFile::remove(target);
    return QFile::copy(labDir() + QLatin1Char('/') + name, target)
        && QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
