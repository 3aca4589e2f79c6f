#include "widgets/glLabel/BroadwiseLayout.h"

#include <algorithm>
#include <cmath>

BroadwiseLayout::BroadwiseLayout(const QString& caption, int width, bool spreadLastLine, Measure measure)
    : FCaption(caption)
    , FWidth(width)
    , FMeasure(std::move(measure))
{
    if (FCaption.isEmpty())
        return;
    const int length = int(FCaption.size());
    int P = 1;
    int E = 1;
    int w = 0;
    for (;;) {
        NextWord(P, E, FCount == 0);
        const QSize size = FMeasure(word(P, E));
        const int cx = size.width();
        w += cx;
        ++FCount;
        FLineHeight = std::max(FLineHeight, size.height());

        if (w <= FWidth && length > E) {
            // It fits and text follows.
            P = E;
            continue;
        }
        if (w <= FWidth) {
            // It fits and ends the caption: the last line.
            FSpread = spreadLastLine;
            DrawLine(FWidth - w);
            ++FLines;
            break;
        }
        // It does not fit: a lone word stays on its line, else the word
        // begins the next line.
        if (FCount == 1)
            P = E;
        else
            --FCount;
        DrawLine(FWidth - (w - cx));
        FLineStart = P;
        ++FLines;
        FCount = 0;
        w = 0;
        if (P > length)
            break;
    }
}

int BroadwiseLayout::FittedHeight() const
{
    return std::max(12, FLines * FLineHeight);
}

void BroadwiseLayout::NextWord(int& P, int& E, bool first) const
{
    const int length = int(FCaption.size());
    auto isSpace = [&](int i) { return FCaption.at(i - 1) == QLatin1Char(' '); };
    int i = P;
    while (i <= length && isSpace(i))
        ++i;
    E = i;
    if (first && FLines > 0)
        P = i;
    do
        ++E;
    while (E <= length && !isSpace(E));
}

QString BroadwiseLayout::word(int P, int E) const
{
    if (P > FCaption.size())
        return QString();
    return FCaption.mid(P - 1, E - P);
}

void BroadwiseLayout::DrawLine(int Extra)
{
    int P = FLineStart;
    int E = FLineStart;
    float x = 0;
    float x0 = 0;
    const int y = FLines * FLineHeight;
    for (int k = 1; k <= FCount; ++k) {
        NextWord(P, E, k == 1);
        const QString text = word(P, E);
        x = float(double(x) + FMeasure(text).width());
        if (std::trunc(x) > FWidth && FCount > 1)
            break;
        if (FCount > 1 && FSpread)
            x = float(double(x) + double(Extra) / double(FCount - 1));
        FWords.append(Word{text, int(std::trunc(x0)), y});
        x0 = x;
        P = E;
    }
}
