#include "widgets/glEffects/glUTILS.h"

#include "platform/TransparentKey.h"

#include "widgets/common/EngravedGlyph.h"
#include "widgets/glEffects/glCommCl.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <array>

namespace {

// The pens of one bevelled box, in the selected pen's style and width.
struct BevelPens
{
    QPen Light;
    QPen Shadow;
    QPen DkShadow;
};

// Draws a line from (x1, y1) to (x2, y2), both ends included; nothing when
// the range is empty.
void line(QPainter& dc, const QPen& pen, int x1, int y1, int x2, int y2)
{
    if (x2 < x1 || y2 < y1)
        return;
    dc.setPen(pen);
    dc.drawLine(x1, y1, x2, y2);
}

// One bevel on the area a: a line on each side of the mask, in the order
// left, top, right, bottom, at the edges the area had at the start; each
// drawn side moves its edge inward by one (two for a doubled side).
void bevel(QPainter& dc, TRect& a, int sides, TglBevelStyle style, bool doubleLine,
           const BevelPens& p)
{
    const int L = a.Left;
    const int T = a.Top;
    const int R = a.Right;
    const int B = a.Bottom;
    const bool hasLeft = sides & sdLeft;
    const bool hasTop = sides & sdTop;
    const bool hasRight = sides & sdRight;
    const bool hasBottom = sides & sdBottom;
    const bool doubleLowered = doubleLine && style == bvsLowered;
    const bool doubleRaised = doubleLine && style == bvsRaised;

    if (hasLeft) {
        if (style == bvsRaised) {
            line(dc, p.Light, L, T, L, B);
            a.Left += 1;
        } else if (doubleLowered) {
            line(dc, p.DkShadow, L, T, L, B - 1);
            line(dc, p.Shadow, L + 1, T + 1, L + 1, hasBottom ? B - 1 : B);
            a.Left += 2;
        } else {
            line(dc, p.Shadow, L, T, L, B - 1);
            a.Left += 1;
        }
    }
    if (hasTop) {
        if (style == bvsRaised) {
            line(dc, p.Light, L, T, R - 1, T);
            a.Top += 1;
        } else if (doubleLowered) {
            line(dc, p.DkShadow, L, T, R - 1, T);
            line(dc, p.Shadow, hasLeft ? L + 1 : L, T + 1, R - 1, T + 1);
            a.Top += 2;
        } else {
            line(dc, p.Shadow, L, T, R - 1, T);
            a.Top += 1;
        }
    }
    if (hasRight) {
        if (style == bvsLowered) {
            line(dc, p.Light, R, T, R, B - 1);
            a.Right -= 1;
        } else if (doubleRaised) {
            line(dc, p.DkShadow, R, T, R, B);
            line(dc, p.Shadow, R - 1, hasTop ? T + 1 : T, R - 1, B - 1);
            a.Right -= 2;
        } else if (style == bvsRaised) {
            line(dc, p.Shadow, R, T, R, B);
            a.Right -= 1;
        } else {
            line(dc, p.Shadow, R, T, R, B - 1);
            a.Right -= 1;
        }
    }
    if (hasBottom) {
        if (style == bvsLowered) {
            line(dc, p.Light, L, B, R, B);
            a.Bottom -= 1;
        } else if (doubleRaised) {
            line(dc, p.DkShadow, L, B, R - 1, B);
            line(dc, p.Shadow, hasLeft ? L + 1 : L, B - 1, R - 1, B - 1);
            a.Bottom -= 2;
        } else if (style == bvsRaised) {
            line(dc, p.Shadow, L, B, R - 1, B);
            a.Bottom -= 1;
        } else {
            line(dc, p.Shadow, L, B, R, B);
            a.Bottom -= 1;
        }
    }
}

// Draws image at (x, y) cut to the first column and row past the area.
void transfer(QPainter& dc, const QImage& image, int x, int y, int right, int bottom)
{
    const int w = std::min(image.width(), right - x);
    const int h = std::min(image.height(), bottom - y);
    if (w > 0 && h > 0)
        dc.drawImage(QPoint(x, y), image, QRect(0, 0, w, h));
}

} // namespace

void Draw3DBox(QPainter& DC, const TRect& Rect, int Sides, TglBevelStyle InnerBevel,
               TglBevelStyle OuterBevel, bool DoubleLine, TColor FillColor, bool NoFill,
               TRect& Out)
{
    const QPen selected = DC.pen();
    const int width = selected.width() == 0 ? 1 : selected.width();
    const Tgl3DColors colours = TglCommonData::bevelColors();
    auto pen = [&](TColor colour) {
        return QPen(colour.toQColor(), width, selected.style(), Qt::SquareCap, Qt::MiterJoin);
    };
    const BevelPens pens{pen(colours.Highlight), pen(colours.Shadow), pen(colours.DkShadow)};

    TRect area = Rect;
    DC.save();
    DC.setRenderHint(QPainter::Antialiasing, false);
    if (OuterBevel != bvsNone)
        bevel(DC, area, Sides, OuterBevel, DoubleLine, pens);
    if (InnerBevel != bvsNone)
        bevel(DC, area, Sides, InnerBevel, DoubleLine, pens);
    DC.restore();

    if (!NoFill && area.Right >= area.Left && area.Bottom >= area.Top)
        DC.fillRect(QRect(area.Left, area.Top, area.Right - area.Left + 1, area.Bottom - area.Top + 1),
                    FillColor.toQColor());
    Out = area;
}

void Draw3DBox(QPainter& DC, const TRect& Rect, int Sides, TglBevelStyle InnerBevel,
               TglBevelStyle OuterBevel, bool DoubleLine, TColor FillColor, bool NoFill)
{
    TRect out;
    Draw3DBox(DC, Rect, Sides, InnerBevel, OuterBevel, DoubleLine, FillColor, NoFill, out);
}

void DrawBitmapEx(QPainter& DC, const QImage& Bitmap, const TRect& Dest, int XOffset,
                  int YOffset, TglScaleMode ScaleMode, TglBitmapStyle Style, bool Transparent,
                  TColor TransparentColor, TColor DisabledShapeColor)
{
    if (Bitmap.isNull() || Bitmap.width() == 0 || Bitmap.height() == 0)
        return;
    const int x = Dest.Left + XOffset;
    const int y = Dest.Top + YOffset;
    int w = Bitmap.width();
    int h = Bitmap.height();

    // The work bitmap: the transparent colour with the bitmap over it.
    QImage work(w, h, QImage::Format_RGB32);
    work.fill(TransparentColor.toQColor());
    {
        QPainter p(&work);
        p.drawImage(0, 0, Bitmap);
    }
    if (Style == bmsSystemColors) {
        ReplaceColor(work, clWhite, clBtnHighlight);
        ReplaceColor(work, clGray, clBtnShadow);
    } else if (Style == bmsDisabled) {
        // The shape: what is neither white nor background, and whatever
        // the caller names as shape.
        const QRgb white = qRgb(255, 255, 255);
        const QRgb background = TransparentColor.toQRgb();
        const bool extra = DisabledShapeColor.value() != 0;
        const QRgb extraRgb = DisabledShapeColor.toQRgb();
        const QImage engraved = EngravedGlyph::render(work, [&](QRgb c) {
            c |= 0xFF000000u;
            return (c != white && c != background) || (extra && c == extraRgb);
        });
        work.fill(clBtnFace.toQColor());
        QPainter(&work).drawImage(0, 0, engraved);
        TransparentColor = clBtnFace;
    }

    QImage shown = Transparent ? TransparentImage(work, TransparentColor) : work;
    if (ScaleMode == smStretch || ScaleMode == smFit) {
        if (ScaleMode == smStretch) {
            w = Dest.width();
            h = Dest.height();
        } else {
            const double scale = std::min(double(Dest.width()) / w, double(Dest.height()) / h);
            w = int(w * scale);
            h = int(h * scale);
        }
        if (w <= 0 || h <= 0)
            return;
        shown = shown.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    DC.save();
    DC.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (ScaleMode == smTile) {
        for (int ty = y; ty < Dest.Bottom; ty += h)
            for (int tx = x; tx < Dest.Right; tx += w)
                transfer(DC, shown, tx, ty, Dest.Right, Dest.Bottom);
    } else {
        DC.drawImage(x, y, shown);
    }
    DC.restore();
}

void ReplaceColor(QImage& Bitmap, TColor FromColor, TColor ToColor)
{
    if (Bitmap.isNull())
        return;
    if (Bitmap.format() != QImage::Format_RGB32 && Bitmap.format() != QImage::Format_ARGB32)
        Bitmap = Bitmap.convertToFormat(Bitmap.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                 : QImage::Format_RGB32);
    const QRgb from = FromColor.toQRgb() & 0x00FFFFFFu;
    const QRgb to = ToColor.toQRgb() & 0x00FFFFFFu;
    for (int row = 0; row < Bitmap.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(Bitmap.scanLine(row));
        for (int col = 0; col < Bitmap.width(); ++col)
            if ((line[col] & 0x00FFFFFFu) == from)
                line[col] = (line[col] & 0xFF000000u) | to;
    }
}

TColor LightenColor(TColor Color, int Amount)
{
    const TColor rgb = Color.toRgb();
    auto up = [&](int channel) { return std::clamp(channel + Amount, 0, 255); };
    return TColor::fromRgb(up(rgb.red()), up(rgb.green()), up(rgb.blue()));
}

int ScreenColorDepth()
{
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? screen->depth() : 32;
}

TColor NearestSolidColor(TColor Color)
{
    static constexpr std::array<TColor, 20> solid = {
        clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clSilver, clRed,
        clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite,
        TColor::fromRgb(192, 220, 192), TColor::fromRgb(166, 202, 240),
        TColor::fromRgb(255, 251, 240), TColor::fromRgb(160, 160, 164)};
    const TColor rgb = Color.toRgb();
    TColor best = solid[0];
    int bestDistance = INT32_MAX;
    for (const TColor c : solid) {
        const int dr = c.red() - rgb.red();
        const int dg = c.green() - rgb.green();
        const int db = c.blue() - rgb.blue();
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = c;
        }
    }
    return best;
}

TColor CornerPixel(const QImage& Bitmap, TglCorner Corner)
{
    if (Corner == crNone || Bitmap.isNull() || Bitmap.width() == 0 || Bitmap.height() == 0)
        return TColor(0);
    const int right = Bitmap.width() - 1;
    const int bottom = Bitmap.height() - 1;
    QPoint at(right, bottom);
    if (Corner == crTopLeft)
        at = QPoint(0, 0);
    else if (Corner == crBottomLeft)
        at = QPoint(0, bottom);
    else if (Corner == crTopRight)
        at = QPoint(right, 0);
    return TColor::fromQColor(QColor(Bitmap.pixel(at)));
}

QImage TransparentImage(const QImage& Image, TColor TransparentColor)
{
    return TransparentKey::keyOut(Image, TransparentColor.toQRgb() | 0xFF000000u);
}
