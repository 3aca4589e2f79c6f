#include "TRichEdit.h"

#include "EFOpenError.h"
#include "RtfReader.h"

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
    auto* doc = new QTextDocument(this);
    doc->setDefaultFont(font());
    RtfReader::read(rtf, *doc);
    QTextDocument* old = document();
    setDocument(doc);
    if (old && old->parent() == this)
        old->deleteLater();
    moveCursor(QTextCursor::Start);
}
