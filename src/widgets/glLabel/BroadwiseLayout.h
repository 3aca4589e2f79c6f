#pragma once

#include <QList>
#include <QSize>
#include <QString>

#include <functional>

// Full justification of a caption into a given width. The caption breaks
// into lines at spaces; the gaps between the words of a line are widened
// equally so that its first word starts at the left edge and its last word
// ends at the right edge. The last line keeps its natural spacing unless
// it is spread too, and so does a line of one word. A word wider than the
// width stands alone on its line. Leading spaces of the caption indent the
// first line; the spaces where a line breaks are dropped.
//
// A word carries the spaces in front of it and is drawn with them. Word
// positions are kept in single precision and truncated when drawn, so
// fractions of the widened gaps add up along the line.
class BroadwiseLayout
{
public:
    struct Word
    {
        QString Text;
        // The top-left corner at which the word, with its leading spaces,
        // is drawn.
        int X = 0;
        int Y = 0;
    };

    // The width and height of a text in the font it is drawn with.
    using Measure = std::function<QSize(const QString&)>;

    BroadwiseLayout(const QString& caption, int width, bool spreadLastLine, Measure measure);

    const QList<Word>& Words() const { return FWords; }
    // The number of lines laid out.
    int Lines() const { return FLines; }
    // The height that fits the lines: at least 12.
    int FittedHeight() const;

private:
    // The next word from P: skips spaces to the first other character and
    // leaves E one past the word's end (on a space or past the caption).
    // The word runs from P, so it keeps the spaces in front of it, except
    // the first word of every line after the first.
    void NextWord(int& P, int& E, bool first) const;
    // The caption's characters from P up to E (1-based, E excluded).
    QString word(int P, int E) const;
    // Lays out the current line: its first FCount words from FLineStart,
    // the Extra pixels shared among the gaps when spread.
    void DrawLine(int Extra);

    QString FCaption;
    int FWidth;
    Measure FMeasure;
    QList<Word> FWords;
    int FLines = 0;
    int FLineHeight = 0;
    int FLineStart = 1;
    int FCount = 0;
    bool FSpread = true;
};
