#include "widgets/controls/TRichEdit.h"

#include "platform/EFOpenError.h"
#include "widgets/controls/TextZoom.h"
#include "platform/rtf/RtfReader.h"
#include "widgets/common/ControlZoom.h"

#include <QEvent>
#include <QFile>
#include <QTextDocument>

TRichEdit::TRichEdit(QWidget* parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TRichEdit::loadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(path);
    const QByteArray rtf = file.readAll();
    // The text already on show, read from the same bytes and not changed
    // since, is kept: the instructions loaded at start-up open at once
    // after the test. The view still goes back to the beginning.
    if (rtf == Loaded && document()->revision() == LoadedRevision) {
        moveCursor(QTextCursor::Start);
        return;
    }
    QTextDocument* doc = document();
    doc->setDefaultFont(font());
    RtfReader::read(rtf, *doc);
    TextZoom::apply(doc, ControlZoom::factor(this));
    moveCursor(QTextCursor::Start);
    Loaded = rtf;
    LoadedRevision = doc->revision();
}

void TRichEdit::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    // A zoomed page gives the view its font at the zoomed size; the text's
    // own sizes follow. The text is still the one read from the file.
    if (event->type() == QEvent::FontChange) {
        const bool asLoaded = document()->revision() == LoadedRevision;
        TextZoom::apply(document(), ControlZoom::factor(this));
        if (asLoaded)
            LoadedRevision = document()->revision();
    }
}
