#include "RtfInput.h"

#include "FuzzProperty.h"

#include "platform/rtf/RtfReader.h"

#include <QTextDocument>

void RtfInput::run(const QByteArray& data)
{
    QTextDocument document;
    RtfReader::read(data, document);
    document.setTextWidth(400);
    FuzzProperty::require(document.size().width() >= 0, "the document lays out");
}
