#include "platform/NumberText.h"

#include "platform/EConvertError.h"
#include "platform/FormatSettings.h"

#include <QByteArray>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// A decimal number 0.d1d2d3... x 10^Exponent with its sign.
struct Decimal
{
    bool Negative = false;
    QByteArray Digits; // no leading zeros; empty for zero
    int Exponent = 0;
};

// The value's decimal digits, rounded to `significant` digits.
Decimal toDecimal(long double value, int significant)
{
    Decimal d;
    if (value == 0 || !std::isfinite(value))
        return d;
    d.Negative = value < 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", significant - 1, std::fabs(value));
    // buf: "d.dddde±xx"
    const QByteArray text(buf);
    const int e = text.indexOf('e');
    for (int i = 0; i < e; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            d.Digits.append(text[i]);
    d.Exponent = text.mid(e + 1).toInt() + 1;
    while (!d.Digits.isEmpty() && d.Digits.endsWith('0'))
        d.Digits.chop(1);
    return d;
}

// Rounds half away from zero so that at most `decimals` digits follow the
// point.
void roundToDecimals(Decimal& d, int decimals)
{
    const int keep = d.Exponent + decimals;
    if (keep >= d.Digits.size())
        return;
    if (keep < 0) {
        d.Digits.clear();
        return;
    }
    const bool up = d.Digits[keep] >= '5';
    d.Digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[i] == '9') {
            d.Digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.Digits.prepend('1');
            ++d.Exponent;
        } else {
            d.Digits[i] = char(d.Digits[i] + 1);
        }
    }
    while (!d.Digits.isEmpty() && d.Digits.endsWith('0'))
        d.Digits.chop(1);
}

QByteArray integerPart(const Decimal& d)
{
    QByteArray out;
    for (int i = 0; i < d.Exponent; ++i)
        out.append(i < d.Digits.size() ? d.Digits[i] : '0');
    return out;
}

QByteArray fractionPart(const Decimal& d, int decimals)
{
    QByteArray out;
    for (int i = 0; i < decimals; ++i) {
        const int at = d.Exponent + i;
        out.append(at >= 0 && at < d.Digits.size() ? d.Digits[at] : '0');
    }
    return out;
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

int hexValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - '0';
    const char16_t u = c.toLower().unicode();
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

bool NumberText::tryToInt(const QString& text, std::int32_t& value)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < n && text[i] == QLatin1Char('$')) {
        hex = true;
        ++i;
    } else if (i < n && (text[i] == QLatin1Char('x') || text[i] == QLatin1Char('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;

    std::uint64_t magnitude = 0;
    for (; i < n; ++i) {
        if (hex) {
            const int h = hexValue(text[i]);
            if (h < 0)
                return false;
            magnitude = magnitude * 16 + std::uint64_t(h);
            if (magnitude > 0xFFFFFFFFull)
                return false;
        } else {
            if (!isDigit(text[i]))
                return false;
            magnitude = magnitude * 10 + std::uint64_t(text[i].unicode() - '0');
            if (magnitude > 0x80000000ull)
                return false;
        }
    }
    if (hex) {
        // Hexadecimal texts give the 32 bits as written: $FFFFFFFF is -1.
        const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
        value = negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(bits)) : bits;
        return true;
    }
    if (!negative && magnitude > 0x7FFFFFFFull)
        return false;
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}

std::int32_t NumberText::toInt(const QString& text)
{
    std::int32_t value = 0;
    if (!tryToInt(text, value))
        throw EConvertError::notInteger(text);
    return value;
}

bool NumberText::tryToFloat(const QString& text, long double& value)
{
    const QChar separator = FormatSettings::decimalSeparator();
    int i = 0;
    int n = int(text.size());
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    while (n > i && text[n - 1] == QLatin1Char(' '))
        --n;
    QByteArray c; // the number in the C library's notation
    auto sign = [&] {
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            c.append(char(text[i++].unicode()));
    };
    // Copies a run of digits; how many there were.
    auto digitRun = [&] {
        int count = 0;
        for (; i < n && isDigit(text[i]); ++count)
            c.append(char(text[i++].unicode()));
        return count;
    };
    sign();
    int digits = digitRun();
    if (i < n && text[i] == separator) {
        c.append('.');
        ++i;
        digits += digitRun();
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        c.append('e');
        ++i;
        sign();
        if (digitRun() == 0)
            return false;
    }
    if (i != n)
        return false;
    char* end = nullptr;
    const long double parsed = std::strtold(c.constData(), &end);
    if (end != c.constData() + c.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

long double NumberText::toFloat(const QString& text)
{
    long double value = 0;
    if (!tryToFloat(text, value))
        throw EConvertError::notFloat(text);
    return value;
}

QString NumberText::formatPattern(const QString& pattern, long double value)
{
    const int point = int(pattern.indexOf(QLatin1Char('.')));
    const QString whole = point < 0 ? pattern : pattern.left(point);
    const QString fraction = point < 0 ? QString() : pattern.mid(point + 1);
    const int decimals = int(fraction.size());
    const int forcedDecimals = int(fraction.lastIndexOf(QLatin1Char('0'))) + 1;
    const int forcedWhole = whole.contains(QLatin1Char('0'))
        ? int(whole.size() - whole.indexOf(QLatin1Char('0'))) : 0;

    Decimal d = toDecimal(value, 18);
    roundToDecimals(d, decimals);

    QByteArray intDigits = integerPart(d);
    while (intDigits.size() < forcedWhole)
        intDigits.prepend('0');
    QByteArray fracDigits = fractionPart(d, decimals);
    while (fracDigits.size() > forcedDecimals && fracDigits.endsWith('0'))
        fracDigits.chop(1);

    QString out;
    if (d.Negative && !d.Digits.isEmpty())
        out += QLatin1Char('-');
    out += QString::fromLatin1(intDigits);
    if (!fracDigits.isEmpty()) {
        out += FormatSettings::decimalSeparator();
        out += QString::fromLatin1(fracDigits);
    }
    return out;
}

QString NumberText::formatFixed(long double value, int decimals)
{
    Decimal d = toDecimal(value, 10);
    roundToDecimals(d, decimals);
    QByteArray intDigits = integerPart(d);
    if (intDigits.isEmpty())
        intDigits = "0";
    QString out;
    if (d.Negative && !d.Digits.isEmpty())
        out += QLatin1Char('-');
    out += QString::fromLatin1(intDigits);
    if (decimals > 0) {
        out += FormatSettings::decimalSeparator();
        out += QString::fromLatin1(fractionPart(d, decimals));
    }
    return out;
}
