#include "platform/rtf/RtfDocumentBuilder.h"

#include "platform/rtf/RtfHeader.h"
#include "platform/rtf/RtfReader.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextLength>
#include <QTextTable>
#include <QTextTableFormat>

#include <algorithm>
#include <climits>

namespace {

// Removing spare rows costs more than in proportion to their cells.
constexpr int MaxSpareCells = 256;
constexpr int MaxLengthPixels = 2000;

// Twips (1/1440 inch) to pixels at 96 dots per inch, kept in a sane range.
qreal twipsToPixels(int twips, int low, int high)
{
    return std::clamp(twips / 15.0, qreal(low), qreal(high));
}

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& document, const RtfHeader& header)
    : Cursor(&document)
    , Header(header)
{
}

char16_t RtfDocumentBuilder::textCharacter(char16_t c)
{
    if (c < 0x20)
        return c == u'\t' ? c : 0;
    if (c == 0x2029)
        return 0x2028;
    if ((c >= 0xFDD0 && c <= 0xFDEF) || c == 0xFFFC || c == 0xFFFE || c == 0xFFFF)
        return 0xFFFD;
    return c;
}

// ---------------------------------------------------------------- text

void RtfDocumentBuilder::put(QChar c, const Chars& chars, const Paragraph& para)
{
    const char16_t t = textCharacter(c.unicode());
    if (t && beginRun(chars, para))
        Run.append(QChar(t));
}

void RtfDocumentBuilder::putBytes(const char* p, const char* end, const Chars& chars, const Paragraph& para)
{
    if (p == end || !beginRun(chars, para))
        return;
    const int codePage = Header.codePageOf(chars.font);
    for (; p < end; ++p)
        if (const char16_t t = textCharacter(Header.decode(static_cast<unsigned char>(*p), codePage).unicode()))
            Run.append(QChar(t));
}

void RtfDocumentBuilder::putPicture(const QTextImageFormat& picture, const Paragraph& para)
{
    flushRun();
    prepareContent(para);
    Cursor.insertImage(picture);
}

// Makes the run of text take the current character formatting; false for
// hidden text.
bool RtfDocumentBuilder::beginRun(const Chars& chars, const Paragraph& para)
{
    if (chars.hidden)
        return false;
    if (!Run.isEmpty() && !(RunChars == chars))
        flushRun();
    if (Run.isEmpty()) {
        prepareContent(para);
        RunChars = chars;
    }
    return true;
}

void RtfDocumentBuilder::flushRun()
{
    if (Run.isEmpty())
        return;
    // A surrogate without its partner is no character.
    for (qsizetype i = 0; i < Run.size(); ++i) {
        if (Run[i].isHighSurrogate() && i + 1 < Run.size() && Run[i + 1].isLowSurrogate())
            ++i;
        else if (Run[i].isSurrogate())
            Run[i] = QChar::ReplacementCharacter;
    }
    Cursor.insertText(Run, charFormat(RunChars));
    Run.clear();
}

// ---------------------------------------------------------------- paragraphs

// Puts the cursor where the next content goes: into the right table cell,
// out of a table that has ended, into a new paragraph after one that ended.
void RtfDocumentBuilder::prepareContent(const Paragraph& para, bool cell)
{
    // Between a cell's end and the row's end everything is in the row.
    if (cell || RowOpen || para.inTable) {
        if (!RowOpen)
            openRow();
        else if (TableColumn != CursorColumn)
            moveToCell();
    } else if (Table) {
        closeTable();
    }
    if (PendingBreak) {
        Cursor.insertBlock();
        PendingBreak = false;
    }
}

void RtfDocumentBuilder::applyParagraph(const Chars& chars, const Paragraph& para)
{
    Cursor.setBlockFormat(blockFormat(para));
    Cursor.setBlockCharFormat(charFormat(chars));
}

void RtfDocumentBuilder::endParagraph(const Chars& chars, const Paragraph& para)
{
    flushRun();
    prepareContent(para);
    applyParagraph(chars, para);
    PendingBreak = true;
}

void RtfDocumentBuilder::finish(const Chars& chars, const Paragraph& para)
{
    flushRun();
    trimTable();
    if (!PendingBreak)
        applyParagraph(chars, para);
}

// ---------------------------------------------------------------- tables

void RtfDocumentBuilder::addCellBound(int twips)
{
    if (int(CellBounds.size()) < RtfReader::MaxTableColumns)
        CellBounds.push_back(twips);
}

void RtfDocumentBuilder::endCell(const Chars& chars, const Paragraph& para)
{
    flushRun();
    prepareContent(para, true);
    applyParagraph(chars, para);
    ++TableColumn;
}

void RtfDocumentBuilder::endRow()
{
    flushRun();
    if (!RowOpen)
        return;
    RowOpen = false;
    PendingBreak = false;
}

void RtfDocumentBuilder::openRow()
{
    const int columns = std::clamp(int(CellBounds.size()), 1, RtfReader::MaxTableColumns);
    if (!Table) {
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(2);
        format.setCellSpacing(0);
        if (int(CellBounds.size()) == columns) {
            QList<QTextLength> widths;
            qint64 left = 0;
            for (int bound : CellBounds) {
                // Bounds come from the file and may lie anywhere in the
                // range of int, so their difference may not fit in one.
                const qint64 width = std::clamp<qint64>(bound - left, INT_MIN, INT_MAX);
                widths.append(QTextLength(QTextLength::FixedLength, twipsToPixels(int(width), 8, MaxLengthPixels)));
                left = bound;
            }
            format.setColumnWidthConstraints(widths);
        }
        // The table itself ends the paragraph before it.
        PendingBreak = false;
        Table = Cursor.insertTable(1, columns, format);
        TableRow = 0;
    } else if (qint64(TableRow + 2) * std::max(columns, Table->columns()) > RtfReader::MaxTableCells) {
        closeTable();
        openRow();
        return;
    } else {
        // Adding rows makes the table rebuild its grid of cells, a pass over
        // all of them: rows are added in batches that grow with the table,
        // and the spare ones are removed when it ends.
        if (TableRow + 1 >= Table->rows())
            Table->appendRows(std::clamp(Table->rows(), 1, std::max(1, MaxSpareCells / Table->columns())));
        ++TableRow;
        ensureColumns(columns);
    }
    TableColumn = 0;
    CursorColumn = -1;
    RowOpen = true;
    moveToCell();
}

void RtfDocumentBuilder::ensureColumns(int count)
{
    if (count <= Table->columns())
        return;
    Table->appendColumns(count - Table->columns());
    // Added columns get no fixed width.
    QTextTableFormat format = Table->format();
    QList<QTextLength> widths = format.columnWidthConstraints();
    if (!widths.isEmpty()) {
        widths.resize(count);
        format.setColumnWidthConstraints(widths);
        Table->setFormat(format);
    }
}

void RtfDocumentBuilder::moveToCell()
{
    const int column = std::min(TableColumn, RtfReader::MaxTableColumns - 1);
    ensureColumns(column + 1);
    // Cells past the last column go on in the last cell as new paragraphs.
    const bool sameCell = CursorColumn >= 0 && column == std::min(CursorColumn, RtfReader::MaxTableColumns - 1);
    Cursor = Table->cellAt(TableRow, column).lastCursorPosition();
    CursorColumn = TableColumn;
    PendingBreak = sameCell;
}

void RtfDocumentBuilder::closeTable()
{
    trimTable();
    Cursor = Table->lastCursorPosition();
    Cursor.movePosition(QTextCursor::NextBlock);
    Table = nullptr;
    RowOpen = false;
    PendingBreak = false;
}

void RtfDocumentBuilder::trimTable()
{
    if (Table && TableRow + 1 < Table->rows())
        Table->removeRows(TableRow + 1, Table->rows() - TableRow - 1);
}

// ---------------------------------------------------------------- formats

QTextCharFormat RtfDocumentBuilder::charFormat(const Chars& chars)
{
    if (CharCacheValid && chars == CachedChars)
        return CachedCharFormat;
    QTextCharFormat f;
    f.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(chars.italic);
    f.setFontUnderline(chars.underline);
    f.setFontStrikeOut(chars.strike);
    // Half-points shown at 96 dots per inch: 2/3 of a pixel each.
    f.setProperty(QTextFormat::FontPixelSize, std::max(1, qRound(chars.halfPoints * 2 / 3.0)));
    if (const RtfHeader::Font* font = Header.font(chars.font)) {
        f.setFontFamilies(QStringList{font->family});
        f.setFontStyleHint(font->hint);
    }
    if (const QColor colour = Header.colour(chars.foreground); colour.isValid())
        f.setForeground(colour);
    if (const QColor colour = Header.colour(chars.background); colour.isValid())
        f.setBackground(colour);
    if (chars.script == Script::Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (chars.script == Script::Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    CachedChars = chars;
    CachedCharFormat = f;
    CharCacheValid = true;
    return f;
}

QTextBlockFormat RtfDocumentBuilder::blockFormat(const Paragraph& para)
{
    if (BlockCacheValid && para == CachedPara)
        return CachedBlockFormat;
    // In the order of Align.
    static constexpr Qt::AlignmentFlag Alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                                       Qt::AlignJustify};
    QTextBlockFormat f;
    f.setAlignment(Alignments[int(para.align)]);
    f.setLeftMargin(twipsToPixels(para.leftIndent, 0, MaxLengthPixels));
    f.setRightMargin(twipsToPixels(para.rightIndent, 0, MaxLengthPixels));
    f.setTextIndent(twipsToPixels(para.firstIndent, -MaxLengthPixels, MaxLengthPixels));
    f.setTopMargin(twipsToPixels(para.spaceBefore, 0, MaxLengthPixels));
    f.setBottomMargin(twipsToPixels(para.spaceAfter, 0, MaxLengthPixels));
    CachedPara = para;
    CachedBlockFormat = f;
    BlockCacheValid = true;
    return f;
}
