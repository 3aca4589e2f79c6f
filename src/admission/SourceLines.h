#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The lines of a text source (Aiken, GIFT) as the learning systems write
// them: UTF-8 with or without a byte order mark, lines ending in LF, CR LF
// or a lone CR (as older editors leave them), the last line with or
// without its line end.
class SourceLines
{
public:
    // The lines without their ends and without the byte order mark at the
    // head of the source; line k of the source is element k - 1.
    static QList<QByteArray> split(const QByteArray& source);

    // The line as text, or nothing when its bytes are not UTF-8. A byte
    // order mark inside the source is a character like any other.
    static std::optional<QString> text(const QByteArray& line);
};
