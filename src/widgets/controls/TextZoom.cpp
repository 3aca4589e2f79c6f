#include "widgets/controls/TextZoom.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <cmath>

namespace {

// The sizes as read, kept beside the ones shown.
enum DesignProperty {
    DesignPixelSize = QTextFormat::UserProperty + 0x5A00,
    DesignPointSize,
    DesignWidth,
    DesignHeight,
};

struct Change
{
    int Position;
    int Length;
    QTextCharFormat Format;
};

// Sets the shown value of a size from the one read, noting the one read
// first; true when the format changes.
bool zoom(QTextCharFormat& format, int shown, int design, qreal factor)
{
    if (!format.hasProperty(shown))
        return false;
    if (!format.hasProperty(design))
        format.setProperty(design, format.property(shown));
    const qreal read = format.property(design).toDouble();
    const QVariant before = format.property(shown);
    if (shown == QTextFormat::FontPixelSize)
        format.setProperty(shown, std::max(1, int(std::lround(read * factor))));
    else
        format.setProperty(shown, read * factor);
    return format.property(shown) != before;
}

} // namespace

void TextZoom::apply(QTextDocument* document, qreal factor)
{
    QList<Change> changes;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            bool changed = zoom(format, QTextFormat::FontPixelSize, DesignPixelSize, factor);
            changed |= zoom(format, QTextFormat::FontPointSize, DesignPointSize, factor);
            if (format.isImageFormat()) {
                changed |= zoom(format, QTextFormat::ImageWidth, DesignWidth, factor);
                changed |= zoom(format, QTextFormat::ImageHeight, DesignHeight, factor);
            }
            if (changed)
                changes.append({fragment.position(), fragment.length(), format});
        }
    }
    if (changes.isEmpty())
        return;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const Change& change : changes) {
        cursor.setPosition(change.Position);
        cursor.setPosition(change.Position + change.Length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(change.Format);
    }
    cursor.endEditBlock();
}
