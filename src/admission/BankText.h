#pragma once

#include "platform/ShortString.h"

#include <QString>

// A text as a field of the bank holds it: characters of code page 1251,
// at most 255 of them. Every question source (Aiken, Moodle XML, GIFT)
// checks and stores its texts through here, so that the same text is
// refused, or stored, the same way whatever format it came in.
class BankText
{
public:
    // Why the text cannot be a field of the bank ("character U+2212 "−"
    // is not in code page 1251", "text of 300 bytes in code page 1251; a
    // field holds 255"), or an empty string when it can.
    static QString fault(const QString& text);

    // Stores a text that has no fault: the length byte and the characters;
    // the bytes behind them keep what the field held (zero in a fresh
    // record, so that the same source always gives the same bank).
    static void store(ShortString<255>& field, const QString& text);

    // The text without the spaces and tabs around it. A no-break space,
    // which code page 1251 has, stays part of the text.
    static QString trimBlanks(const QString& text);
};
