#include "widgets/dxfColorButton/ColorButtonFace.h"

#include "widgets/common/BlendColor.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// trunc(i * a / r) in floating point; 0 for a ball without radius.
int share(int i, int a, int r)
{
    return r == 0 ? 0 : int(std::trunc(double(i) * double(a) / double(r)));
}

int radius(int w, int h)
{
    return int(std::trunc(std::sqrt(double(w / 2) * (w / 2) + double(h / 2) * (h / 2))));
}

// The colour of ellipse i of a ball of radius r: five sixths of the way to
// white at the centre.
QColor shade(TColor base, int r, int i)
{
    const int steps = int(std::trunc(1.2 * r));
    return (steps == 0 ? base : BlendColor(base, clWhite, steps, i)).toQColor();
}

// An ellipse inside the corners (x1, y1) and (x2, y2), the right and bottom
// edges not included.
void ellipse(QPainter& p, const QColor& colour, int x1, int y1, int x2, int y2)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    p.setBrush(colour);
    p.drawEllipse(QRectF(x1, y1, x2 - x1, y2 - y1));
}

} // namespace

QImage ColorButtonFace::render(QSize size, TColor colour, bool pressed, qreal ratio)
{
    const int W = size.width();
    const int H = size.height();
    if (W <= 0 || H <= 0)
        return QImage();
    const TColor base = BlendColor(colour, clBlack, 5, 2);
    QImage face(QSize(W, H) * std::max(ratio, qreal(1)), QImage::Format_RGB32);
    face.setDevicePixelRatio(std::max(ratio, qreal(1)));
    face.fill(base.toQColor());

    QPainter p(&face);
    p.setPen(Qt::NoPen);
    p.setRenderHint(QPainter::Antialiasing, false);

    const int w10 = W / 10;
    const int h10 = H / 10;
    const int w5 = W / 5;
    const int h5 = H / 5;
    const int R = radius(W, H);
    for (int i = 0; i <= R; ++i)
        ellipse(p, shade(base, R, i), share(i, w5, R), share(i, h5, R), W - share(i, W - w5, R),
                H - share(i, H - h5, R));

    if (pressed) {
        const int W2 = W - 2 * w10;
        const int H2 = H - 2 * h10;
        const int w5in = W2 / 5;
        const int h5in = H2 / 5;
        const int R2 = radius(W2, H2);
        for (int i = 0; i <= R2; ++i)
            ellipse(p, shade(base, R2, i), w10 + share(i, W2 - w5in, R2), h10 + share(i, H2 - h5in, R2),
                    w10 + W2 - share(i, w5in, R2), h10 + H2 - share(i, h5in, R2));
    }
    return face;
}
