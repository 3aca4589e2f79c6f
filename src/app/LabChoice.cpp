#include "app/LabChoice.h"

#include "platform/Exception.h"
#include "platform/LabTemplate.h"
#include "widgets/controls/Dialogs.h"

#include <QDir>
#include <QFileInfo>

LabChoice::LabChoice(Places places, Dialogs& dialogs)
    : FPlaces(std::move(places))
    , FDialogs(dialogs)
{
}

bool LabChoice::isLabFolder(const QString& dir)
{
    const QDir folder(dir);
    return folder.exists(QStringLiteral("Qest.txt")) && folder.exists(QStringLiteral("Qest1.txt"));
}

bool LabChoice::enter(const QString& dir)
{
    if (!dir.isEmpty())
        return enterFolder(dir);

    QString error;
    const QString named = FPlaces.configuredFolder(&error);
    if (!error.isEmpty()) {
        FDialogs.error(error);
        return false;
    }
    if (!named.isEmpty())
        return enterFolder(named);
    return makePersonalFolder() && enterFolder(FPlaces.PersonalFolder);
}

bool LabChoice::enterFolder(const QString& dir)
{
    const QFileInfo info(dir);
    if (!info.isDir()) {
        FDialogs.error(QStringLiteral("Папка лабораторной работы %1 не найдена.").arg(dir));
        return false;
    }
    if (!isLabFolder(dir)) {
        FDialogs.error(QStringLiteral("В папке %1 нет вопросов теста (Qest.txt, Qest1.txt): "
                                      "это не папка лабораторной работы.")
                           .arg(dir));
        return false;
    }
    if (!QDir::setCurrent(dir)) {
        FDialogs.error(QStringLiteral("Нет доступа к папке лабораторной работы %1.").arg(dir));
        return false;
    }
    return true;
}

bool LabChoice::makePersonalFolder()
{
    const LabTemplate lab(FPlaces.Template);
    // Made once from the template; a folder that exists is the account's
    // own, and only what is missing from it is copied again.
    if (lab.files().isEmpty()) {
        if (isLabFolder(FPlaces.PersonalFolder))
            return true;
        FDialogs.error(QStringLiteral("Не найден образец лабораторной работы (%1): "
                                      "программа установлена не полностью.")
                           .arg(FPlaces.Template));
        return false;
    }
    try {
        lab.copyTo(FPlaces.PersonalFolder, false);
    } catch (const Exception&) {
        FDialogs.error(QStringLiteral("Не удалось создать папку лабораторной работы %1.").arg(FPlaces.PersonalFolder));
        return false;
    }
    return true;
}
