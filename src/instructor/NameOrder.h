#pragma once

#include <QByteArray>
#include <QString>

// The order and the search of the journal's texts as the instructor expects
// them, worked on the stored code page 1251 bytes themselves, so that a
// journal of many thousands of students sorts and filters without decoding
// a text: letters compare without regard to case, "ё" just after "е"; a
// search ignores case and does not tell "ё" from "е".
class NameOrder
{
public:
    // Negative, zero or positive as a sorts before, with or after b. Texts
    // equal but for case are ordered by their bytes, so no two different
    // texts compare equal.
    static int compare(const char* a, int aLength, const char* b, int bLength);

    // The search text folded as contains() expects it; empty when the text
    // holds a character that code page 1251 lacks (it can match nothing).
    static QByteArray searchKey(const QString& text, bool* matchable = nullptr);
    // Whether the stored text holds the folded search key.
    static bool contains(const char* text, int length, const QByteArray& key);
};
