#include "instructor/NameOrder.h"

#include "platform/Cp1251.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace {

struct Tables
{
    std::array<unsigned char, 256> Fold {};  // byte of the search form
    std::array<unsigned short, 256> Rank {}; // place in the sort order

    Tables()
    {
        const QChar yo = QChar(0x0451), ye = QChar(0x0435);
        std::array<unsigned, 256> key {};
        for (int b = 0; b < 256; ++b) {
            const QChar lower = Cp1251::toUnicode(static_cast<unsigned char>(b)).toLower();
            // "ё" sorts just after "е" and is found as "е".
            key[b] = lower == yo ? ye.unicode() * 2u + 1u : lower.unicode() * 2u;
            const QChar searched = lower == yo ? ye : lower;
            const QByteArray folded = Cp1251::canEncode(searched) ? Cp1251::encode(QString(searched)) : QByteArray();
            Fold[b] = folded.size() == 1 ? static_cast<unsigned char>(folded[0]) : static_cast<unsigned char>(b);
        }
        std::array<int, 256> order {};
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key[a] < key[b]; });
        unsigned short rank = 0;
        for (int i = 0; i < 256; ++i) {
            if (i > 0 && key[order[i]] != key[order[i - 1]])
                ++rank;
            Rank[order[i]] = rank;
        }
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

} // namespace

int NameOrder::compare(const char* a, int aLength, const char* b, int bLength)
{
    const Tables& t = tables();
    const int n = std::min(aLength, bLength);
    for (int i = 0; i < n; ++i) {
        const int ra = t.Rank[static_cast<unsigned char>(a[i])];
        const int rb = t.Rank[static_cast<unsigned char>(b[i])];
        if (ra != rb)
            return ra - rb;
    }
    if (aLength != bLength)
        return aLength - bLength;
    return std::memcmp(a, b, size_t(n));
}

QByteArray NameOrder::searchKey(const QString& text, bool* matchable)
{
    bool ok = true;
    for (const QChar c : text)
        ok = ok && Cp1251::canEncode(c);
    if (matchable)
        *matchable = ok;
    if (!ok)
        return QByteArray();
    QByteArray key = Cp1251::encode(text);
    const Tables& t = tables();
    for (char& c : key)
        c = static_cast<char>(t.Fold[static_cast<unsigned char>(c)]);
    return key;
}

bool NameOrder::contains(const char* text, int length, const QByteArray& key)
{
    const Tables& t = tables();
    const int n = int(key.size());
    for (int start = 0; start + n <= length; ++start) {
        int i = 0;
        while (i < n && t.Fold[static_cast<unsigned char>(text[start + i])] == static_cast<unsigned char>(key[i]))
            ++i;
        if (i == n)
            return true;
    }
    return false;
}
