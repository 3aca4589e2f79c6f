#pragma once

#include <QtGlobal>

class QTextDocument;

// The zoom of a document shown in a text view of a zoomed page. The view's
// own font (the document's default) is zoomed with the page; what the
// document fixes itself, the sizes of its fonts and of its pictures, is
// shown here at a factor of the sizes it was read with. Each size read is
// kept in the document beside the one shown, so that any number of zooms
// comes back to the sizes read.
class TextZoom
{
public:
    static void apply(QTextDocument* document, qreal factor);
};
