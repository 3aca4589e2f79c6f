#pragma once

#include <QChar>

// Code page 1252 (Western Windows), met only in rich text whose fonts or
// header name it. Reading only: the program never writes it.
class Cp1252
{
public:
    // Bytes without a character in the code page keep their own value.
    static QChar toUnicode(unsigned char byte);
};
