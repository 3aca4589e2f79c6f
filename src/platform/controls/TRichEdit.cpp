#include "platform/controls/TRichEdit.h"

#include "platform/EFOpenError.h"
#include "platform/rtf/RtfReader.h"

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
    moveCursor(QTextCursor::Start);
    Loaded = rtf;
    LoadedRevision = doc->revision();
}
