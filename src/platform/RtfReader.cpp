#include "RtfReader.h"

#include "Cp1251.h"

#include <cctype>

#include <QTextCursor>
#include <QTextDocument>

// A first reader: the plain text of the document, paragraphs kept.
void RtfReader::read(const QByteArray& rtf, QTextDocument& document)
{
    document.clear();
    QTextCursor cursor(&document);
    QString text;
    int depth = 0;
    int skipDepth = -1;
    for (int i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth == skipDepth)
                skipDepth = -1;
            --depth;
        } else if (c == '\\') {
            int j = i + 1;
            if (j < rtf.size() && rtf[j] == '\'' && j + 2 < rtf.size()) {
                bool ok = false;
                const int b = rtf.mid(j + 1, 2).toInt(&ok, 16);
                if (ok && skipDepth < 0)
                    text += Cp1251::toUnicode(static_cast<unsigned char>(b));
                i = j + 2;
                continue;
            }
            QByteArray word;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                word += rtf[j++];
            while (j < rtf.size() && (std::isdigit(static_cast<unsigned char>(rtf[j])) || rtf[j] == '-'))
                ++j;
            if (j < rtf.size() && rtf[j] == ' ')
                ++j;
            if (word.isEmpty() && j < rtf.size()) {
                if (skipDepth < 0 && (rtf[j] == '\\' || rtf[j] == '{' || rtf[j] == '}'))
                    text += QLatin1Char(rtf[j]);
                if (rtf[j] == '*')
                    skipDepth = depth;
                ++j;
            }
            if (word == "par" && skipDepth < 0)
                text += QLatin1Char('\n');
            if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" || word == "pict")
                skipDepth = depth;
            i = j - 1;
        } else if (c != '\r' && c != '\n' && skipDepth < 0 && depth > 0) {
            text += QLatin1Char(c);
        }
    }
    cursor.insertText(text);
}
