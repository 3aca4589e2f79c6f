#pragma once

#include <QByteArray>
#include <QtGlobal>

class QTextDocument;

// Reads a rich-text (RTF) file into a text document: groups, control words
// and symbols, code page 1251 (and 1252) \'hh escapes, \uN, paragraphs,
// character and paragraph formatting, simple tables and embedded PNG and
// JPEG pictures. The reader is one pass over the bytes with an explicit
// group stack, so its time is linear in the input and its nesting bounded.
// Damaged input never crashes it: it keeps what it could read.
class RtfReader
{
public:
    // Replaces the content of the document with the text read from rtf.
    // Data that does not begin with "{\rtf" is no rich text: it is read as
    // plain code page 1251 text, line by line.
    static void read(const QByteArray& rtf, QTextDocument& document);

    // Groups nested deeper than this are read without text.
    static constexpr int MaxDepth = 256;
    // Limits of embedded pictures: encoded bytes of one and of all of them,
    // decoded pixels of one and of all of them. A picture past a limit is
    // left out.
    static constexpr qsizetype MaxPictureBytes = 16 * 1024 * 1024;
    static constexpr qsizetype MaxAllPictureBytes = 64 * 1024 * 1024;
    static constexpr qint64 MaxPicturePixels = 4096 * 4096;
    static constexpr qint64 MaxAllPicturePixels = 2 * MaxPicturePixels;
    // Cells of a table row past this many are read into its last cell.
    static constexpr int MaxTableColumns = 64;
    // A table goes on as a new table before its cells pass this many: the
    // table's own bookkeeping costs a pass over all its cells now and then.
    static constexpr int MaxTableCells = 16384;
    // Font sizes in half-points are kept within these bounds.
    static constexpr int MinHalfPoints = 2;
    static constexpr int MaxHalfPoints = 600;
};
