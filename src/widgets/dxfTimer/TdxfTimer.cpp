#include "widgets/dxfTimer/TdxfTimer.h"

#include "widgets/common/BlendColor.h"
#include "platform/Clock.h"
#include "platform/DateTimeFormat.h"
#include "widgets/common/ScratchBitmap.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int SecondsPerDay = 86400;
constexpr int LatestEndTime = SecondsPerDay - 1; // 23:59:59

// Whole number nearest to x, halves to even.
int nearest(double x)
{
    return int(std::nearbyint(x));
}

int secondOfDay(const QTime& t)
{
    return t.hour() * 3600 + t.minute() * 60 + t.second();
}

QRgb rgb(TColor colour)
{
    const TColor c = colour.toRgb();
    return qRgb(c.red(), c.green(), c.blue());
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

// A 3-D frame of the given width inside rect: top and left in `top`,
// right and bottom in `bottom` (the top-right and bottom-left corners
// belong to the bottom colour). The rectangle shrinks by the width.
void frame3D(QImage& image, QRect& rect, QRgb top, QRgb bottom, int width)
{
    for (int i = 0; i < width; ++i) {
        if (rect.width() <= 0 || rect.height() <= 0)
            break;
        const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
        fillRow(image, t, l, r - 1, top);
        for (int y = t; y < b; ++y)
            setPixel(image, l, y, top);
        for (int y = t; y <= b; ++y)
            setPixel(image, r, y, bottom);
        fillRow(image, b, l, r, bottom);
        rect.adjust(1, 1, -1, -1);
    }
}

void drawTextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

// Segments lit for the digits '0' ... '9': bit 0 top, 1 upper right,
// 2 lower right, 3 bottom, 4 lower left, 5 upper left, 6 middle.
constexpr unsigned char SegmentMasks[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

} // namespace

TdxfTimer::TdxfTimer(QWidget* parent)
    : QWidget(parent),
      FClock(&Clock::system()),
      FDisplayFormat(QStringLiteral("hh:nn:ss"))
{
    TColor::registerType();
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(85, 25);
    // A child of the control, so that whoever holds the control can see
    // whether it is counting (a test, without waiting for ticks).
    TickTimer.setParent(this);
    TickTimer.setInterval(250);
    connect(&TickTimer, &QTimer::timeout, this, &TdxfTimer::Tick);
}

TdxfTimer::~TdxfTimer() = default;

void TdxfTimer::setClock(Clock* clock)
{
    FClock = clock ? clock : &Clock::system();
}

int TdxfTimer::totalSeconds() const
{
    return FEndHour * 3600 + FEndMin * 60 + FEndSec;
}

void TdxfTimer::setEndHour(int value)
{
    setEndTime(value, FEndMin, FEndSec);
}

void TdxfTimer::setEndMin(int value)
{
    setEndTime(FEndHour, value, FEndSec);
}

void TdxfTimer::setEndSec(int value)
{
    setEndTime(FEndHour, FEndMin, value);
}

void TdxfTimer::setEndTime(int hour, int min, int sec)
{
    // Computed wide, so that huge parts cannot wrap into the valid range.
    const long long total = hour * 3600LL + min * 60LL + sec;
    if (total < 0 || total > LatestEndTime)
        return;
    if (hour == FEndHour && min == FEndMin && sec == FEndSec)
        return;
    FEndHour = hour;
    FEndMin = min;
    FEndSec = sec;
    if (total == 0) {
        // Without an end time there is nothing to count back from and no
        // sand to run.
        FIncrementStyle = isForward;
        if (FDisplayStyle == tsHourGlass)
            FDisplayStyle = tsText;
    }
    if (!FRunning)
        UpdateDisplay();
}

void TdxfTimer::setBorderColor(TColor value)
{
    if (value == FBorderColor)
        return;
    FBorderColor = value;
    if (!FRunning)
        UpdateDisplay();
}

void TdxfTimer::setDisplayFormat(const QString& value)
{
    if (value == FDisplayFormat)
        return;
    FDisplayFormat = value;
    if (!FRunning)
        UpdateDisplay();
}

void TdxfTimer::setDisplayStyle(TdxfTimerStyle value)
{
    if (value == tsHourGlass && totalSeconds() <= 0)
        return;
    if (value == FDisplayStyle)
        return;
    FDisplayStyle = value;
    UpdateDisplay();
}

void TdxfTimer::setIncrementStyle(TdxfIncrementStyle value)
{
    if (totalSeconds() <= 0)
        value = isForward;
    if (value == FIncrementStyle)
        return;
    FIncrementStyle = value;
    if (!FRunning)
        UpdateDisplay();
}

void TdxfTimer::setBevelInner(TBevelCut value)
{
    if (value == FBevelInner)
        return;
    FBevelInner = value;
    update();
}

void TdxfTimer::setBevelOuter(TBevelCut value)
{
    if (value == FBevelOuter)
        return;
    FBevelOuter = value;
    update();
}

void TdxfTimer::setBevelWidth(int value)
{
    value = std::max(value, 1);
    if (value == FBevelWidth)
        return;
    FBevelWidth = value;
    update();
}

void TdxfTimer::setBorderWidth(int value)
{
    value = std::max(value, 0);
    if (value == FBorderWidth)
        return;
    FBorderWidth = value;
    update();
}

void TdxfTimer::setBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    update();
}

void TdxfTimer::setColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TdxfTimer::setCtl3D(bool value)
{
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    update();
}

void TdxfTimer::Start()
{
    // A count that has reached the end time, exactly or beyond it after a
    // late tick, starts again from zero.
    const int total = totalSeconds();
    if (total > 0 && FElapsedSeconds >= total)
        FElapsedSeconds = 0;
    FRunning = true;
    TickTimer.start();
    LastStamp = FClock->localTimeOfDay();
    UpdateDisplay();
}

void TdxfTimer::Stop()
{
    FRunning = false;
    TickTimer.stop();
    update();
}

void TdxfTimer::Reset()
{
    FElapsedSeconds = 0;
    LastStamp = FClock->localTimeOfDay();
    UpdateDisplay();
}

void TdxfTimer::Tick()
{
    const QTime last = LastStamp;
    const QTime now = FClock->localTimeOfDay();
    int difference = secondOfDay(now) - secondOfDay(last);
    if (difference < 0)
        difference += SecondsPerDay; // midnight passed
    if (difference == 0)
        return;

    LastStamp = now;
    FElapsedSeconds += difference;
    UpdateDisplay();

    if (last.hour() != now.hour())
        emit OnHourChange(this);
    if (last.minute() != now.minute())
        emit OnMinuteChange(this);
    if (last.second() != now.second())
        emit OnSecondChange(this);

    const int total = totalSeconds();
    if (total > 0 && FElapsedSeconds >= total) {
        Stop();
        emit OnEndOfTime(this);
    }
}

QString TdxfTimer::GetDisplayText() const
{
    int value = FElapsedSeconds;
    if (FIncrementStyle == isBack)
        value = totalSeconds() - FElapsedSeconds;
    // A late tick can carry the count past the end time; the remainder then
    // shows as zero rather than as a negative time.
    value = std::max(value, 0) % SecondsPerDay;
    const int rest = value % 3600;
    return DateTimeFormat::standard().format(FDisplayFormat, QTime(value / 3600, rest / 60, rest % 60));
}

void TdxfTimer::UpdateDisplay()
{
    if (FDisplayStyle != tsRevolvingDrum) {
        update();
        return;
    }
    if (GetDisplayText() != FPreviousText) {
        // Ten frames of the roll, painted at once one after the other.
        for (int phase = 1; phase <= 10; ++phase) {
            FDrumPhase = phase;
            repaint();
        }
    } else {
        FDrumPhase = 10;
        repaint();
    }
    FPreviousText = GetDisplayText();
}

QColor TdxfTimer::fontColor() const
{
    return palette().color(QPalette::WindowText);
}

QRect TdxfTimer::clientRect() const
{
    int edge = 0;
    if (FBorderStyle == bsSingle)
        edge = FCtl3D ? 2 : 1;
    return rect().adjusted(edge, edge, -edge, -edge);
}

QImage TdxfTimer::renderFace() const
{
    return renderFace(FPreviousText, FDrumPhase);
}

QImage TdxfTimer::renderFace(const QString& previousText, int drumPhase) const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintControl(painter, previousText, drumPhase);
    return image;
}

void TdxfTimer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintControl(painter, FPreviousText, FDrumPhase);
}

void TdxfTimer::paintControl(QPainter& painter, const QString& previousText, int drumPhase) const
{
    // The single border lies outside the client area, as the window
    // system draws it: a sunken double edge, or a black line without 3-D.
    if (FBorderStyle == bsSingle) {
        auto edge = [&](const QRect& r, TColor top, TColor bottom) {
            // Top and left in `top`; right and bottom, corners included, in
            // `bottom`.
            painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), top.toQColor());
            painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), top.toQColor());
            painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottom.toQColor());
            painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottom.toQColor());
        };
        if (FCtl3D) {
            edge(rect(), clBtnShadow, clBtnHighlight);
            edge(rect().adjusted(1, 1, -1, -1), cl3DDkShadow, cl3DLight);
        } else {
            edge(rect(), clBlack, clBlack);
        }
    }

    const QRect client = clientRect();
    if (client.isEmpty())
        return;
    QImage& scratch = ScratchBitmap::acquire(width(), height());
    paintClient(scratch, previousText, drumPhase);
    painter.drawImage(client.topLeft(), scratch, QRect(QPoint(0, 0), client.size()));
}

void TdxfTimer::paintClient(QImage& canvas, const QString& previousText, int drumPhase) const
{
    const QRect client(QPoint(0, 0), clientRect().size());
    const QRgb background = rgb(FColor);
    for (int y = 0; y < client.height(); ++y)
        fillRow(canvas, y, 0, client.width() - 1, background);

    int k = FBorderWidth;
    if (FBevelOuter != bvNone)
        k += FBevelWidth;
    if (FBevelInner != bvNone)
        k += FBevelWidth;
    if (FBorderStyle == bsSingle)
        k += FBorderWidth;
    const QRect inner = client.adjusted(k, k, -k, -k);

    const QString text = GetDisplayText();
    const QFontMetrics metrics(font());

    switch (FDisplayStyle) {
    case tsText: {
        QPainter painter(&canvas);
        painter.setFont(font());
        painter.setPen(fontColor());
        drawTextAt(painter, (width() - metrics.horizontalAdvance(text)) / 2,
                   (height() - metrics.height()) / 2, text);
        break;
    }
    case tsIndicator:
        drawSegments(canvas, inner, text);
        break;
    case tsHourGlass:
        drawHourGlass(canvas);
        return; // no bevels or border in this style
    case tsRevolvingDrum:
        break;
    }

    // Bevels: raised has the light colour at the top left; anything but
    // lowered is drawn raised.
    const QRgb light = rgb(BlendColor(clWhite, FBorderColor, 4, 1));
    const QRgb dark = rgb(BlendColor(clBlack, FBorderColor, 3, 2));
    QRect frame = client;
    if (FBevelOuter != bvNone) {
        const bool lowered = FBevelOuter == bvLowered;
        frame3D(canvas, frame, lowered ? dark : light, lowered ? light : dark, FBevelWidth);
    }
    frame3D(canvas, frame, rgb(FBorderColor), rgb(FBorderColor), FBorderWidth);
    if (FBevelInner != bvNone) {
        const bool lowered = FBevelInner == bvLowered;
        frame3D(canvas, frame, lowered ? dark : light, lowered ? light : dark, FBevelWidth);
    }

    if (FDisplayStyle == tsRevolvingDrum)
        drawDrum(canvas, inner, text, previousText, drumPhase);
}

void TdxfTimer::drawSegments(QImage& canvas, const QRect& inner, const QString& text) const
{
    const QFontMetrics metrics(font());
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
    painter.setFont(font());
    const QColor colour = fontColor();
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

void TdxfTimer::drawDrum(QImage& canvas, const QRect& inner, const QString& text,
                         const QString& previousText, int drumPhase) const
{
    const int W = inner.width();
    const int H = inner.height();
    if (W <= 0 || H <= 0)
        return;

    // The shading of an empty drum and of the cell edges depends only on
    // the size and Color: made once, copied for every frame.
    const TColor dark = BlendColor(FColor, clBlack, 2, 1);
    if (DrumBackground.size() != QSize(W, H) || DrumColor != FColor) {
        const TColor light = BlendColor(FColor, clWhite, 3, 2);
        DrumBackground = QImage(W, H, QImage::Format_RGB32);
        LightEdge.resize(H);
        DarkEdge.resize(H);
        for (int y = 0; y < H; ++y) {
            // Light at the top, dark at the bottom.
            fillRow(DrumBackground, y, 0, W - 1, rgb(BlendColor(light, dark, H, y)));
            LightEdge[y] = rgb(BlendColor(clWhite, FColor, H, y));
            DarkEdge[y] = rgb(BlendColor(FColor, clBlack, H, y));
        }
        DrumColor = FColor;
        DrumBitmap = QImage(W, H, QImage::Format_RGB32);
    }
    QImage& drum = DrumBitmap;
    for (int y = 0; y < H; ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(DrumBackground.constScanLine(y)), W,
                    reinterpret_cast<QRgb*>(drum.scanLine(y)));
    const int R0 = nearest(std::sqrt(double(H) * H - double(H / 2) * (H / 2)));

    {
        QPainter painter(&drum);
        painter.setFont(font());
        painter.setPen(fontColor());
        const QFontMetrics metrics(font());
        const int n = int(text.size());
        const int step = H / 10;
        const int p = drumPhase;
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
                if (FIncrementStyle == isForward) {
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
            const int rightEdge = i == n ? W - 1 : x + cw;
            for (int r = 0; r < H; ++r) {
                setPixel(drum, x, r, LightEdge[r]);
                setPixel(drum, rightEdge, r, DarkEdge[r]);
            }
            x += cw + 1;
        }
    }

    // The curvature: rows near the middle come forward, shifted left by up
    // to H - R0 pixels; the uncovered right end is dark.
    const int left = inner.left();
    const int right = inner.left() + W;
    const QRgb darkRgb = rgb(dark);
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

void TdxfTimer::drawHourGlass(QImage& canvas) const
{
    const int Wc = width();
    const int Hc = height();
    const int total = totalSeconds();
    const TColor light = BlendColor(clWhite, FBorderColor, 4, 1);
    const TColor mid = BlendColor(clBlack, FBorderColor, 4, 2);
    const int pw = Wc / 15;
    const int m = Hc / 15;
    const int d = m;

    // Posts.
    for (int i = 0; i <= pw; ++i) {
        const QRgb c = rgb(BlendColor(light, mid, pw, i));
        lineTo(canvas, m + i, m, m + i, Hc - m, c);
        lineTo(canvas, Wc - m - pw + i, m, Wc - m - pw + i, Hc - m, c);
    }
    // Plates.
    for (int i = 0; i <= Wc; ++i) {
        const QRgb c = rgb(BlendColor(light, mid, Wc, i));
        lineTo(canvas, i, 0, i, d, c);
        lineTo(canvas, i, Hc, i, Hc - d, c);
    }
    // Glass.
    const TColor grey = BlendColor(clWhite, clBlack, 3, 1);
    const int g = (Hc - 2 * d) / 5;
    const int f = Wc - 2 * pw - 4 * m;
    for (int i = 0; i <= f; ++i) {
        const QRgb c = rgb(BlendColor(clWhite, grey, f, i));
        const int x = pw + 2 * m + i;
        const int neckX = Wc / 2 + (f > 0 ? nearest(4.0 * i / f - 2) : -2);
        lineTo(canvas, x, d, x, d + 2 * g, c);
        lineTo(canvas, x, Hc - d, x, Hc - d - 2 * g, c);
        lineTo(canvas, x, d + 2 * g, neckX, Hc / 2 - 1, c);
        lineTo(canvas, x, Hc - d - 2 * g, neckX, Hc / 2 + 1, c);
    }
    // Neck.
    for (int i = 0; i <= 4; ++i) {
        const int x = Wc / 2 - 2 + i;
        lineTo(canvas, x, Hc / 2 - 1, x, Hc / 2 + 2, rgb(BlendColor(clWhite, grey, 4, i)));
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
            setPixel(canvas, x, y, rgb(BlendColor(pale, clOlive, 2 * t, x - x0)));
    };
    // The count may have passed the end after a late tick: no more sand
    // than there is.
    const int elapsed = std::clamp(FElapsedSeconds, 0, total);

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

    if (FRunning && elapsed < total) {
        const QRgb olive = rgb(clOlive);
        for (int y = Hc / 2 - 2; y <= Hc - d - B; ++y)
            if (y % 2 == 0)
                setPixel(canvas, Wc / 2, y, olive);
    }
}

void TdxfTimer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Pressed = true;
    QWidget::mousePressEvent(event);
}

void TdxfTimer::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = Pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        Pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        emit OnClick(this);
}

void TdxfTimer::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click raises OnDblClick, not a click.
    Pressed = false;
    if (event->button() == Qt::LeftButton)
        emit OnDblClick(this);
}
