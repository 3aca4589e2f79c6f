#pragma once

#include "platform/Cp1251.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstring>

// A length-prefixed text field of fixed capacity, as stored in the journal
// and the banks: one length byte, then Capacity character bytes of code
// page 1251. Storing writes the length byte and the characters only; the
// bytes behind them keep what the field held. A length byte above the
// capacity (a damaged file) is read as the capacity, never beyond.
template <int Capacity>
struct ShortString
{
    static_assert(Capacity >= 1 && Capacity <= 255);

    unsigned char Length;
    char Chars[Capacity];

    int length() const { return std::min<int>(Length, Capacity); }

    QByteArray bytes() const { return QByteArray(Chars, length()); }
    QString text() const { return Cp1251::decode(Chars, length()); }

    // Stores the text cut to the capacity.
    void set(const QString& value) { setBytes(Cp1251::encode(value)); }
    void setBytes(const QByteArray& value)
    {
        const int n = std::min<int>(int(value.size()), Capacity);
        Length = static_cast<unsigned char>(n);
        std::memcpy(Chars, value.constData(), size_t(n));
    }

    // Compares the meaningful bytes with a stored value, exactly (without
    // building a copy: readers of a whole journal compare every record).
    bool equals(const QByteArray& value) const
    {
        const int n = length();
        return n == value.size() && std::memcmp(Chars, value.constData(), size_t(n)) == 0;
    }
};
