#pragma once

#include <QByteArray>

class QTextDocument;

// Reads a rich-text (RTF) file into a text document: groups, control words,
// code page 1251 \'hh escapes, \uN, paragraphs, character and paragraph
// formatting, embedded pictures. Damaged input never crashes it and group
// nesting is bounded.
class RtfReader
{
public:
    static void read(const QByteArray& rtf, QTextDocument& document);
};
