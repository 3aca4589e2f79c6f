#include "admission/SourceLines.h"

#include <QStringDecoder>

QList<QByteArray> SourceLines::split(const QByteArray& source)
{
    QList<QByteArray> lines;
    qsizetype start = source.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype i = start; i < source.size(); ++i) {
        if (source[i] != '\n' && source[i] != '\r')
            continue;
        lines.append(source.mid(start, i - start));
        if (source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < source.size())
        lines.append(source.mid(start));
    return lines;
}

std::optional<QString> SourceLines::text(const QByteArray& line)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8(line);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}
