#include "platform/InstalledData.h"

#include <QCoreApplication>
#include <QDir>

QString InstalledData::dir()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/oplab"));
}

QString InstalledData::labTemplate()
{
    return dir() + QStringLiteral("/lab");
}

QString InstalledData::sources()
{
    return dir() + QStringLiteral("/sources");
}
