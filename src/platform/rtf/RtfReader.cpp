#include "platform/rtf/RtfReader.h"

#include "platform/Cp1251.h"
#include "platform/rtf/RtfDocumentBuilder.h"
#include "platform/rtf/RtfParser.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// Text that is no rich text: code page 1251, its lines ended by CR, LF or
// CR LF.
void readPlainText(const QByteArray& text, QTextDocument& document)
{
    const QString decoded = Cp1251::decode(text);
    QString plain;
    plain.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const char16_t c = decoded[i].unicode();
        if (c == u'\r') {
            if (i + 1 < decoded.size() && decoded[i + 1] == u'\n')
                ++i;
            plain.append(u'\n');
        } else if (c == u'\n') {
            plain.append(u'\n');
        } else if (const char16_t t = RtfDocumentBuilder::textCharacter(c)) {
            plain.append(QChar(t));
        }
    }
    QTextCursor(&document).insertText(plain);
}

} // namespace

void RtfReader::read(const QByteArray& rtf, QTextDocument& document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();

    qsizetype start = 0;
    while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\t' || rtf[start] == '\r' || rtf[start] == '\n'))
        ++start;
    // One edit block for the whole reading: the document lays itself out
    // once at its end instead of after every insertion.
    QTextCursor edit(&document);
    edit.beginEditBlock();
    const QByteArrayView body = QByteArrayView(rtf).sliced(start);
    if (body.startsWith("{\\rtf"))
        RtfParser::parse(body, document);
    else
        readPlainText(rtf, document);
    edit.endEditBlock();

    document.setUndoRedoEnabled(undo);
}
