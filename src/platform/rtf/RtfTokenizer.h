#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <string_view>

// Cuts rich text into its tokens and hands them to a reader: braces,
// control words with their parameter, control symbols, \'hh escapes,
// \binN data and runs of text (line breaks of the source are no text).
// It also skips the fallback of a \uN: the next \uc "characters", where a
// byte of text, an escape, a control word or symbol each count one and a
// brace ends the skip.
class RtfTokenizer
{
public:
    class Reader
    {
    public:
        virtual void openGroup() = 0;
        // True when the document's outermost group has closed: reading
        // stops there.
        virtual bool closeGroup() = 0;
        // A control word; the name is empty for a word longer than the
        // format allows. Returns how many fallback characters follow it
        // (the \uc count after a \uN), else 0.
        virtual int word(std::string_view name, bool hasParam, int param) = 0;
        virtual void symbol(char c) = 0;
        virtual void escapedByte(unsigned char byte) = 0;
        // A run of text bytes, never empty.
        virtual void text(const char* p, const char* end) = 0;
        // The data of a \binN.
        virtual void binary(const char* p, std::size_t count) = 0;
        // The data ended before the document's group closed.
        virtual void endOfData() = 0;

    protected:
        ~Reader() = default;
    };

    // Longest control word: the format allows 32 letters.
    static constexpr std::size_t MaxWordLength = 32;

    // Reads rtf, which begins with the document's opening brace, to its end
    // or to the close of the document's group.
    static void run(QByteArrayView rtf, Reader& reader);

    // The value of a hexadecimal digit; -1 for any other character.
    static int hexValue(char c);

private:
    explicit RtfTokenizer(Reader& reader);

    void run(const char* p, const char* end);
    const char* escape(const char* p, const char* end);
    const char* controlWord(const char* p, const char* end);
    bool consumeFallback();

    Reader& Out;
    int FallbackSkip = 0; // characters still to skip after a \uN
};
