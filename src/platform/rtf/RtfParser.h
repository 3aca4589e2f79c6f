#pragma once

#include "platform/rtf/RtfDocumentBuilder.h"
#include "platform/rtf/RtfHeader.h"
#include "platform/rtf/RtfKeywords.h"
#include "platform/rtf/RtfPictures.h"
#include "platform/rtf/RtfTokenizer.h"

#include <QByteArrayView>

#include <vector>

class QTextDocument;

// Follows the groups of a rich-text document and what each token means in
// the destination it stands in: the document's text, the font table, the
// colour table, a picture, or a destination read past. Every group carries
// its own character and paragraph formatting, inherited from the group
// around it; the stack of groups is explicit and its depth bounded.
class RtfParser : private RtfTokenizer::Reader
{
public:
    // Reads rtf, which begins with "{\rtf", into the empty document.
    static void parse(QByteArrayView rtf, QTextDocument& document);

private:
    enum class Destination : unsigned char { Text, Skipped, FontTable, ColourTable, Picture };

    struct Group
    {
        Destination destination = Destination::Text;
        bool startsPicture = false; // the group of a \pict: closing it shows the picture
        int unicodeSkip = 1;        // \uc: fallback characters after \uN
        RtfDocumentBuilder::Chars chars;
        RtfDocumentBuilder::Paragraph para;
    };

    explicit RtfParser(QTextDocument& document);

    void openGroup() override;
    bool closeGroup() override;
    int word(std::string_view name, bool hasParam, int param) override;
    void symbol(char c) override;
    void escapedByte(unsigned char byte) override;
    void text(const char* p, const char* end) override;
    void binary(const char* p, std::size_t count) override;
    void endOfData() override;

    bool skipping() const;
    void put(QChar c);
    void fontTableWord(const RtfKeywords::Keyword& keyword, int param);
    void pictureWord(const RtfKeywords::Keyword& keyword, bool hasParam, int param);
    void textWord(const RtfKeywords::Keyword& keyword, bool hasParam, int param);
    void finishDocument();

    Group& top() { return Stack.back(); }
    const Group& top() const { return Stack.back(); }

    std::vector<Group> Stack;
    int Overflow = 0;         // open groups past the deepest nesting read
    bool StarPending = false; // a \* waits for its destination word

    RtfHeader Header;
    RtfPictures Pictures;
    RtfDocumentBuilder Builder;
};
