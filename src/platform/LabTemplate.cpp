#include "platform/LabTemplate.h"

#include "platform/Exception.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

LabTemplate::LabTemplate(QString dir)
    : Dir(std::move(dir))
{
}

QStringList LabTemplate::files() const
{
    QStringList out;
    const QDir root(Dir);
    QDirIterator it(Dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << root.relativeFilePath(it.next());
    out.sort();
    return out;
}

QStringList LabTemplate::presentIn(const QString& folder) const
{
    QStringList out;
    for (const QString& name : files())
        if (QFileInfo::exists(folder + QLatin1Char('/') + name))
            out << name;
    return out;
}

QStringList LabTemplate::copyTo(const QString& folder, bool replace) const
{
    const QStringList names = files();
    if (names.isEmpty())
        throw Exception(QStringLiteral("%1: no lab template there").arg(Dir));
    QStringList written;
    for (const QString& name : names) {
        const QString target = folder + QLatin1Char('/') + name;
        if (!replace && QFileInfo::exists(target))
            continue;
        QFile source(Dir + QLatin1Char('/') + name);
        if (!source.open(QIODevice::ReadOnly))
            throw Exception(QStringLiteral("%1: %2").arg(source.fileName(), source.errorString()));
        const QByteArray bytes = source.readAll();
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            throw Exception(QStringLiteral("%1: cannot make the folder").arg(QFileInfo(target).absolutePath()));
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            throw Exception(QStringLiteral("%1: %2").arg(target, file.errorString()));
        written << name;
    }
    return written;
}
