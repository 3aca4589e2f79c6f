#include "platform/DataDir.h"

#include <QDir>

QString DataDir::current()
{
    return QDir::currentPath();
}

QString DataDir::path(const QString& fileName)
{
    QString dir = current();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + fileName;
}
