#include "platform/LabPlaces.h"

#include "platform/InstalledData.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

LabPlaces LabPlaces::system()
{
    LabPlaces places;
    places.ConfigFile = QStringLiteral("/etc/oplab/oplab.conf");
    places.PersonalFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/oplab/lab");
    places.Template = InstalledData::labTemplate();
    return places;
}

QString LabPlaces::configuredFolder(QString* error) const
{
    const QFileInfo config(ConfigFile);
    if (config.exists() && !config.isReadable()) {
        *error = QStringLiteral("Файл настройки %1 не читается.").arg(ConfigFile);
        return {};
    }
    return QSettings(ConfigFile, QSettings::IniFormat).value(QStringLiteral("Lab/Folder")).toString().trimmed();
}
