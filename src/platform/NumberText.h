#pragma once

#include <QString>

#include <cstdint>

// Text to number and number to text, as the runtime converts them.
// Failures throw EConvertError with the runtime's message.
class NumberText
{
public:
    // The standard integer conversion: leading blanks, an optional sign,
    // decimal digits or hexadecimal after "$", "x" or "0x". Trailing
    // characters, an empty text and a value outside 32 bits fail with
    // "'%s' is not a valid integer value".
    static std::int32_t toInt(const QString& text);
    static bool tryToInt(const QString& text, std::int32_t& value);

    // The standard floating-point conversion with the regional decimal
    // separator: blanks around, sign, digits, separator, exponent. Fails
    // with "'%s' is not a valid floating point value".
    static long double toFloat(const QString& text);
    static bool tryToFloat(const QString& text, long double& value);

    // A number pattern of the "#.##" kind: '#' digits only, rounded to as
    // many decimals as the pattern has '#' after the point, no digit before
    // the separator when the whole part is 0, no trailing zeros, no
    // separator without a fraction, the empty text for 0.
    static QString formatPattern(const QString& pattern, long double value);

    // Fixed notation: the value rounded to ten significant digits, then
    // written with exactly `decimals` decimals, a digit before the
    // separator and a leading minus for negative values.
    static QString formatFixed(long double value, int decimals);
};
