#pragma once

#include <QChar>

// The user's regional number settings that texts made with number patterns
// follow. The decimal separator is read once from the system's locale
// (LC_NUMERIC, LC_ALL, LANG) and may be set by the program or its tests.
class FormatSettings
{
public:
    static QChar decimalSeparator();
    static void setDecimalSeparator(QChar separator);
};
