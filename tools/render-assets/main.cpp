// oplab-render: renders one SVG source to the picture the window loads.
//
//   oplab-render SOURCE.svg OUTPUT WIDTH HEIGHT FORMAT
//
// FORMAT is jpg (page backgrounds), png (pictures with transparency or
// exact colours) or bmp8 (an 8-bit palette bitmap, as the glyph strip is
// stored). The picture is drawn at exactly WIDTH x HEIGHT pixels without
// anti-aliasing trickery: what the SVG says is what lands in the file.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString& text)
{
    QTextStream(stderr) << "oplab-render: " << text << Qt::endl;
    return 1;
}

// Reduce to a palette of at most 256 colours, keeping every exact colour
// the picture uses when it has no more than 256 of them.
QImage toIndexed8(const QImage& rgb)
{
    QList<QRgb> palette;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            if (!palette.contains(c)) {
                palette.append(c);
                if (palette.size() > 256)
                    return rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
            }
        }
    }
    return rgb.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6)
        return fail("usage: oplab-render SOURCE.svg OUTPUT WIDTH HEIGHT jpg|png|bmp8");

    const QString source = args[1];
    const QString output = args[2];
    bool okW = false, okH = false;
    const int width = args[3].toInt(&okW);
    const int height = args[4].toInt(&okH);
    const QString format = args[5];
    if (!okW || !okH || width <= 0 || height <= 0)
        return fail("bad size " + args[3] + " x " + args[4]);

    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return fail("cannot read " + source);

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, format != "bmp8");
        painter.setRenderHint(QPainter::TextAntialiasing, format != "bmp8");
        renderer.render(&painter, QRectF(0, 0, width, height));
    }

    bool saved = false;
    if (format == "jpg") {
        QImage flat(width, height, QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        saved = flat.save(output, "JPG", 92);
    } else if (format == "png") {
        saved = image.convertToFormat(QImage::Format_ARGB32).save(output, "PNG");
    } else if (format == "bmp8") {
        QImage flat(width, height, QImage::Format_RGB32);
        flat.fill(Qt::magenta);
        QPainter(&flat).drawImage(0, 0, image);
        saved = toIndexed8(flat).save(output, "BMP");
    } else {
        return fail("unknown format " + format);
    }
    if (!saved)
        return fail("cannot write " + output);
    return 0;
}
