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
    QTextDocument* doc = document();
    doc->setDefaultFont(font());
    RtfReader::read(rtf, *doc);
    moveCursor(QTextCursor::Start);
}
