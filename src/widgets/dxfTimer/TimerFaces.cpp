#include "widgets/dxfTimer/TimerFaces.h"

#include "widgets/common/BlendColor.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Whole number nearest to x, halves to even.
int nearest(double x)
{
    return int(std::nearbyint(x));
}

void setPixel(QImage& image, int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

// A line from (x0, y0) towards (x1, y1), the end point left out, as the
// pen of the platform draws it.
void lineTo(QImage& image, int x0, int y0, int x1, int y1, QRgb colour)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        setPixel(image, x0, y0, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// Columns from..to (inclusive) of row y.
void fillRow(QImage& image, int y, int from, int to, QRgb colour)
{
    if (y < 0 || y >= image.height())
        return;
    from = std::max(from, 0);
    to = std::min(to, image.width() - 1);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = from; x <= to; ++x)
        line[x] = colour;
}

// Segments lit for the digits '0' ... '9': bit 0 top, 1 upper right,
// 2 lower right, 3 bottom, 4 lower left, 5 upper left, 6 middle.
constexpr unsigned char SegmentMasks[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

} // namespace

void TimerFaces::drawTextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void TimerFaces::segments(QImage& canvas, const QRect& inner, const QFont& font, const QColor& ink,
                          const QString& text)
{
    const QFontMetrics metrics(font);
    const int cellHeight = metrics.height();
    const int cellTop = inner.top() + (inner.height() - cellHeight) / 2;
    const int digitWidth = metrics.horizontalAdvance(QLatin1Char('H'));
    auto widthOf = [&](QChar c) {
        return c.isDigit() && c.unicode() < 128 ? digitWidth : metrics.horizontalAdvance(c);
    };
    int total = 0;
    for (QChar c : text)
        total += widthOf(c);

    QPainter painter(&canvas);
    painter.setFont(font);
    const QColor colour = ink;
    int x = inner.left() + (inner.width() - total) / 2;
    for (QChar c : text) {
        const int w = widthOf(c);
        const QRect cell(x, cellTop, w, cellHeight);
        x += w;
        if (!(c.isDigit() && c.unicode() < 128)) {
            painter.save();
            painter.setClipRect(cell);
            painter.setPen(colour);
            drawTextAt(painter, cell.left(), cell.top(), QString(c));
            painter.restore();
            continue;
        }
        int s = cellHeight / 9;
        if (s % 2 == 0)
            s -= 1;
        s = std::max(s, 1);
        // Edges of the cell shrunk by s; R and B are the last pixels inside.
        const int L = cell.left() + s;
        const int T = cell.top() + s;
        const int R = cell.left() + cell.width() - s;
        const int B = cell.top() + cell.height() - s;
        const int h = B - T;
        const int mid = T + h / 2;
        const unsigned mask = SegmentMasks[c.unicode() - '0'];
        QPen pen(colour, s, Qt::SolidLine, s > 1 ? Qt::RoundCap : Qt::FlatCap);
        painter.setPen(pen);
        auto segment = [&](int bit, int x0, int y0, int x1, int y1) {
            if (mask & (1u << bit))
                painter.drawLine(x0, y0, x1, y1);
        };
        segment(0, L + s, T, R - s, T);
        segment(1, R, T + s, R, mid - s);
        segment(2, R, mid + s, R, B - s);
        segment(3, L + s, B, R - s, B);
        segment(4, L, mid + s, L, B - s);
        segment(5, L, T + s, L, mid - s);
        segment(6, L + s, mid, R - s, mid);
    }
}

QFont TimerFaces::screenFont(const QFont& font, qreal ratio)
{
    if (ratio == 1.0)
        return font;
    QFont scaled(font);
    if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, nearest(font.pixelSize() * ratio)));
    else
        scaled.setPointSizeF(font.pointSizeF() * ratio);
    return scaled;
}

int TimerFaces::lineWidth(qreal ratio)
{
    return std::max(1, nearest(ratio));
}

void TimerFaces::drum(QImage& canvas, const QRect& windowInner, const QFont& windowFont, const QColor& ink,
                      TColor colour, bool forward, const QString& text, const QString& previousText, int phase)
{
    // The drum is built in the canvas's own screen pixels: its rows shift
    // pixel by pixel, so it is drawn at the screen's resolution, with the
    // font and the cell edges scaled to match.
    const qreal ratio = canvas.devicePixelRatio();
    const QRect inner(QPoint(nearest(windowInner.left() * ratio), nearest(windowInner.top() * ratio)),
                      QSize(nearest(windowInner.width() * ratio), nearest(windowInner.height() * ratio)));
    const QFont font = screenFont(windowFont, ratio);
    const int edge = lineWidth(ratio);
    const int W = inner.width();
    const int H = inner.height();
    if (W <= 0 || H <= 0)
        return;

    // The shading of an empty drum and of the cell edges depends only on
    // the size and Color: made once, copied for every frame.
    const TColor dark = BlendColor(colour, clBlack, 2, 1);
    if (DrumBackground.size() != QSize(W, H) || DrumColor != colour) {
        const TColor light = BlendColor(colour, clWhite, 3, 2);
        DrumBackground = QImage(W, H, QImage::Format_RGB32);
        LightEdge.resize(H);
        DarkEdge.resize(H);
        for (int y = 0; y < H; ++y) {
            // Light at the top, dark at the bottom.
            fillRow(DrumBackground, y, 0, W - 1, BlendColor(light, dark, H, y).toQRgb());
            LightEdge[y] = BlendColor(clWhite, colour, H, y).toQRgb();
            DarkEdge[y] = BlendColor(colour, clBlack, H, y).toQRgb();
        }
        DrumColor = colour;
        DrumBitmap = QImage(W, H, QImage::Format_RGB32);
    }
    QImage& drum = DrumBitmap;
    for (int y = 0; y < H; ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(DrumBackground.constScanLine(y)), W,
                    reinterpret_cast<QRgb*>(drum.scanLine(y)));
    const int R0 = nearest(std::sqrt(double(H) * H - double(H / 2) * (H / 2)));

    {
        QPainter painter(&drum);
        painter.setFont(font);
        painter.setPen(ink);
        const QFontMetrics metrics(font);
        const int n = int(text.size());
        const int step = H / 10;
        const int p = phase;
        int x = 0;
        for (int i = 1; i <= n; ++i) {
            const int cw = nearest(double(W - x) / (n - i + 1));
            const QChar now = text[i - 1];
            const QString nowText(now);
            const int tx = x + (cw - metrics.horizontalAdvance(now)) / 2;
            const int ty = (H - metrics.height()) / 2;
            painter.setClipRect(QRect(x, 0, cw, H));

            const bool hasOld = i <= previousText.size();
            if (hasOld && previousText[i - 1] == now) {
                drawTextAt(painter, tx, ty, nowText);
            } else {
                const QString oldText = hasOld ? QString(previousText[i - 1]) : QString();
                if (forward) {
                    // The drum rolls downward: the old digit leaves at the
                    // bottom, the new one comes in from the top.
                    if (hasOld && p != 10)
                        drawTextAt(painter, tx, ty + step * p, oldText);
                    drawTextAt(painter, tx, ty - step * (10 - p), nowText);
                } else {
                    // Upward: the new digit rises from below.
                    drawTextAt(painter, tx, ty + step * (10 - p), nowText);
                    if (hasOld && p != 10)
                        drawTextAt(painter, tx, ty - step * (p + 1), oldText);
                }
            }

            // The cell's edges: a light line at its left, a dark one at its
            // right (the drum's last column for the last cell).
            const int rightEdge = i == n ? W - edge : x + cw;
            for (int r = 0; r < H; ++r) {
                for (int e = 0; e < edge; ++e) {
                    setPixel(drum, x + e, r, LightEdge[r]);
                    setPixel(drum, rightEdge + e, r, DarkEdge[r]);
                }
            }
            x += cw + edge;
        }
    }

    // The curvature: rows near the middle come forward, shifted left by up
    // to H - R0 pixels; the uncovered right end is dark.
    const int left = inner.left();
    const int right = inner.left() + W;
    const QRgb darkRgb = dark.toQRgb();
    for (int y = inner.top(); y < inner.top() + H; ++y) {
        if (y < 0 || y >= canvas.height())
            continue;
        const int o = (y - inner.top()) - H / 2;
        const int r = nearest(std::sqrt(double(H) * H - double(o) * o));
        const int dx = left + R0 - r;
        const auto* source = reinterpret_cast<const QRgb*>(drum.constScanLine(y - inner.top()));
        auto* target = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        const int from = std::max(dx, 0);
        const int to = std::min(dx + W, canvas.width());
        if (to > from)
            std::copy(source + (from - dx), source + (to - dx), target + from);
        fillRow(canvas, y, right + R0 - r, right - 1, darkRgb);
    }
}

void TimerFaces::hourGlass(QImage& canvas, QSize windowSize, TColor frameColour, int total, int elapsedSeconds,
                           bool running)
{
    // Drawn in the canvas's screen pixels; the neck and the falling grain
    // keep their width in window pixels.
    const qreal ratio = canvas.devicePixelRatio();
    const int u1 = lineWidth(ratio);
    const int Wc = nearest(windowSize.width() * ratio);
    const int Hc = nearest(windowSize.height() * ratio);
    const TColor light = BlendColor(clWhite, frameColour, 4, 1);
    const TColor mid = BlendColor(clBlack, frameColour, 4, 2);
    const int pw = Wc / 15;
    const int m = Hc / 15;
    const int d = m;

    // Posts.
    for (int i = 0; i <= pw; ++i) {
        const QRgb c = BlendColor(light, mid, pw, i).toQRgb();
        lineTo(canvas, m + i, m, m + i, Hc - m, c);
        lineTo(canvas, Wc - m - pw + i, m, Wc - m - pw + i, Hc - m, c);
    }
    // Plates.
    for (int i = 0; i <= Wc; ++i) {
        const QRgb c = BlendColor(light, mid, Wc, i).toQRgb();
        lineTo(canvas, i, 0, i, d, c);
        lineTo(canvas, i, Hc, i, Hc - d, c);
    }
    // Glass.
    const TColor grey = BlendColor(clWhite, clBlack, 3, 1);
    const int g = (Hc - 2 * d) / 5;
    const int f = Wc - 2 * pw - 4 * m;
    for (int i = 0; i <= f; ++i) {
        const QRgb c = BlendColor(clWhite, grey, f, i).toQRgb();
        const int x = pw + 2 * m + i;
        const int neckX = Wc / 2 + u1 * (f > 0 ? nearest(4.0 * i / f - 2) : -2);
        lineTo(canvas, x, d, x, d + 2 * g, c);
        lineTo(canvas, x, Hc - d, x, Hc - d - 2 * g, c);
        lineTo(canvas, x, d + 2 * g, neckX, Hc / 2 - u1, c);
        lineTo(canvas, x, Hc - d - 2 * g, neckX, Hc / 2 + u1, c);
    }
    // Neck.
    for (int i = 0; i <= 4 * u1; ++i) {
        const int x = Wc / 2 - 2 * u1 + i;
        lineTo(canvas, x, Hc / 2 - u1, x, Hc / 2 + 2 * u1, BlendColor(clWhite, grey, 4 * u1, i).toQRgb());
    }

    if (total <= 0)
        return;
    // Sand, shaded by column from a pale olive to olive.
    const int x0 = pw + 2 * m + 1;
    const int t = Wc / 2 - x0;
    const int u = d + 2 * g - 1;
    const int v = Hc / 2 - 2 - u;
    const TColor pale = BlendColor(clWhite, clOlive, 5, 1);
    auto sandRow = [&](int y, int from, int to) {
        for (int x = from; x <= to; ++x)
            setPixel(canvas, x, y, BlendColor(pale, clOlive, 2 * t, x - x0).toQRgb());
    };
    // The count may have passed the end after a late tick: no more sand
    // than there is.
    const int elapsed = std::clamp(elapsedSeconds, 0, total);

    if (elapsed < total) {
        const int A = nearest(2.0 * g * (total - elapsed) / total);
        for (int y = std::max(d, Hc / 2 - 2 - A); y <= Hc / 2 - 2; ++y) {
            if (y <= u) {
                sandRow(y, x0, Wc - x0 - 1);
            } else if (v > 0) {
                const int j = x0 + nearest(double(y - u) * t / v);
                sandRow(y, j, Wc - j - 1);
            }
        }
    }

    const int B = nearest(2.0 * g * elapsed / total);
    if (B > v) {
        for (int y = Hc - d - 1; y > Hc - d - 1 - (B - v); --y)
            sandRow(y, x0, Wc - x0 - 1);
    }
    // The pile, its tip at the top.
    for (int y = Hc - d - B; y <= Hc + v - d - B - 1; ++y) {
        if (y >= Hc - d)
            continue;
        const int k = x0 + t - nearest(double(t) * (y + d + B - Hc) / v);
        sandRow(y, k, Wc - k - 1);
    }

    if (running && elapsed < total) {
        const QRgb olive = clOlive.toQRgb();
        for (int y = Hc / 2 - 2; y <= Hc - d - B; ++y)
            if ((y / u1) % 2 == 0)
                for (int e = 0; e < u1; ++e)
                    setPixel(canvas, Wc / 2 + e, y, olive);
    }
}
