#pragma once

#include <QByteArray>
#include <QString>

// Code page 1251 (Cyrillic Windows), the single-byte text of every data
// file. The one place where file text and the program's Unicode meet.
class Cp1251
{
public:
    static QString decode(const char* bytes, int length);
    static QString decode(const QByteArray& bytes) { return decode(bytes.constData(), int(bytes.size())); }
    // A character outside the code page becomes "?".
    static QByteArray encode(const QString& text);
    // Whether every character of the text has a byte in the code page.
    static bool canEncode(QChar c);
    static QChar toUnicode(unsigned char byte);
};
