#pragma once

#include <QString>

// An HTML fragment of a question or an answer, as the learning system's
// editor writes it, read as the one line of plain text the bank holds:
// character references decoded (named ones of HTML 4, numeric ones), tags
// dropped, paragraphs and line breaks joined with a blank, every run of
// white space one blank, none at either end. Whether the fragment shows a
// picture or other media, which the bank cannot hold, is told apart.
class HtmlText
{
public:
    explicit HtmlText(const QString& html);

    const QString& plain() const { return Plain; }
    bool hasMedia() const { return Media; }

private:
    QString Plain;
    bool Media = false;
};
