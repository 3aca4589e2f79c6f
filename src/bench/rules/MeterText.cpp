#include "bench/rules/MeterText.h"

#include "platform/EConvertError.h"
#include "platform/FormatSettings.h"
#include "platform/NumberText.h"

QString MeterText::FormatTenths(int n)
{
    return QString::number(n / 10) + QLatin1Char(',') + QString::number(n % 10);
}

QString MeterText::balance(int p)
{
    return p < 0 ? QStringLiteral("- ") + FormatTenths(-p) : FormatTenths(p);
}

QString MeterText::hundredths(int q)
{
    return QString::number(q / 100) + QLatin1Char(',') + QString::number(q % 100);
}

long double MeterText::readBack(const QString& text)
{
    long double value = 0;
    if (NumberText::tryToFloat(text, value))
        return value;
    const QChar separator = FormatSettings::decimalSeparator();
    if (separator != QLatin1Char(',') && text.count(QLatin1Char(',')) == 1
        && !text.contains(separator)) {
        QString regional = text;
        regional.replace(QLatin1Char(','), separator);
        if (NumberText::tryToFloat(regional, value))
            return value;
    }
    throw EConvertError::notFloat(text);
}
