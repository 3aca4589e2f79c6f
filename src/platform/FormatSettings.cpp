#include "platform/FormatSettings.h"

#include <QLocale>

#include <clocale>
#include <cstring>

namespace {

QChar systemSeparator()
{
    // The C library's view of LC_NUMERIC is what the user set; Qt's system
    // locale follows the same variables.
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1)
        return point.front();
    return QLatin1Char('.');
}

QChar& separator()
{
    static QChar value = systemSeparator();
    return value;
}

} // namespace

QChar FormatSettings::decimalSeparator()
{
    return separator();
}

void FormatSettings::setDecimalSeparator(QChar value)
{
    separator() = value;
}
