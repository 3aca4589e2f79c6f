#include "platform/rtf/RtfTokenizer.h"

#include <QtGlobal>

#include <algorithm>
#include <climits>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

RtfTokenizer::RtfTokenizer(Reader& reader)
    : Out(reader)
{
}

void RtfTokenizer::run(QByteArrayView rtf, Reader& reader)
{
    RtfTokenizer(reader).run(rtf.constData(), rtf.constData() + rtf.size());
}

int RtfTokenizer::hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void RtfTokenizer::run(const char* p, const char* const end)
{
    while (p < end) {
        const char c = *p;
        if (c == '{') {
            ++p;
            FallbackSkip = 0;
            Out.openGroup();
        } else if (c == '}') {
            ++p;
            FallbackSkip = 0;
            if (Out.closeGroup())
                return; // the document's own group has ended
        } else if (c == '\\') {
            p = escape(p + 1, end);
        } else if (c == '\r' || c == '\n') {
            ++p;
        } else {
            const char* q = p + 1;
            while (q < end && *q != '{' && *q != '}' && *q != '\\' && *q != '\r' && *q != '\n')
                ++q;
            // A fallback is only ever pending in a group whose text is read.
            const char* text = p + std::min<qsizetype>(FallbackSkip, q - p);
            FallbackSkip -= int(text - p);
            if (text < q)
                Out.text(text, q);
            p = q;
        }
    }
    Out.endOfData();
}

// p stands after a backslash.
const char* RtfTokenizer::escape(const char* p, const char* end)
{
    if (p == end)
        return p;
    const char c = *p;
    if (isLetter(c))
        return controlWord(p, end);
    if (c == '\'') {
        ++p;
        int value = 0;
        int digits = 0;
        while (digits < 2 && p < end && hexValue(*p) >= 0) {
            value = value * 16 + hexValue(*p);
            ++p;
            ++digits;
        }
        if (digits < 2) // a cut-off escape stands for nothing
            return p;
        if (!consumeFallback())
            Out.escapedByte(static_cast<unsigned char>(value));
        return p;
    }
    ++p;
    if (!consumeFallback())
        Out.symbol(c);
    return p;
}

const char* RtfTokenizer::controlWord(const char* p, const char* end)
{
    const char* const start = p;
    while (p < end && isLetter(*p))
        ++p;
    const std::string_view name(start, std::size_t(p - start));
    bool hasParam = false;
    bool negative = false;
    qint64 value = 0;
    if (p + 1 < end && *p == '-' && isDigit(p[1])) {
        negative = true;
        ++p;
    }
    while (p < end && isDigit(*p)) {
        hasParam = true;
        if (value <= INT_MAX) // a longer number saturates
            value = value * 10 + (*p - '0');
        ++p;
    }
    if (p < end && *p == ' ')
        ++p;
    const int param = int(std::clamp<qint64>(negative ? -value : value, INT_MIN, INT_MAX));
    if (name == "bin") {
        // \binN: N bytes of raw data follow.
        const std::size_t n = std::size_t(std::min<qsizetype>(std::max(hasParam ? param : 0, 0), end - p));
        if (!consumeFallback())
            Out.binary(p, n);
        return p + n;
    }
    if (consumeFallback())
        return p;
    FallbackSkip = Out.word(name.size() <= MaxWordLength ? name : std::string_view(), hasParam, param);
    return p;
}

bool RtfTokenizer::consumeFallback()
{
    if (FallbackSkip <= 0)
        return false;
    --FallbackSkip;
    return true;
}
