// oplab-render: renders one SVG source to the picture the window loads.
//
//   oplab-render SOURCE.svg OUTPUT WIDTH HEIGHT FORMAT [--hide ID]... [--crop X Y W H]
//
// FORMAT is jpg (page backgrounds), png (pictures with transparency or
// exact colours) or bmp8 (an 8-bit palette bitmap, as the glyph strip is
// stored). The picture is drawn at exactly WIDTH x HEIGHT pixels without
// anti-aliasing trickery: what the SVG says is what lands in the file.
//
// --hide ID leaves out the element with that id (and everything in it), so
// one source can carry two variants of a drawing, for example the circuit
// diagram with its switches open and with them closed.
// --crop X Y W H keeps only that rectangle of the rendered picture; the
// output is then W x H. Pieces cut from one drawing line up with it pixel
// for pixel, which is how the diagram's overlays are made.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

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

// Copies the SVG document, leaving out every element whose id is in
// `hidden` together with its content. Returns an empty array and sets
// `error` when the source is not well-formed.
QByteArray withoutElements(const QByteArray& source, const QSet<QString>& hidden,
                           QSet<QString>& found, QString& error)
{
    QByteArray out;
    QXmlStreamReader reader(source);
    QXmlStreamWriter writer(&out);
    int skipDepth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (skipDepth > 0) {
            if (reader.isStartElement())
                ++skipDepth;
            else if (reader.isEndElement())
                --skipDepth;
            continue;
        }
        if (reader.isStartElement()) {
            const QString id = reader.attributes().value(QLatin1String("id")).toString();
            if (!id.isEmpty() && hidden.contains(id)) {
                found.insert(id);
                skipDepth = 1;
                continue;
            }
        }
        writer.writeCurrentToken(reader);
    }
    if (reader.hasError()) {
        error = reader.errorString() + " at line " + QString::number(reader.lineNumber());
        return {};
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString usage =
        "usage: oplab-render SOURCE.svg OUTPUT WIDTH HEIGHT jpg|png|bmp8 [--hide ID]... [--crop X Y W H]";
    if (args.size() < 6)
        return fail(usage);

    const QString source = args[1];
    const QString output = args[2];
    bool okW = false, okH = false;
    const int width = args[3].toInt(&okW);
    const int height = args[4].toInt(&okH);
    const QString format = args[5];
    if (!okW || !okH || width <= 0 || height <= 0)
        return fail("bad size " + args[3] + " x " + args[4]);

    QSet<QString> hidden;
    QRect crop(0, 0, width, height);
    for (int i = 6; i < args.size(); ++i) {
        if (args[i] == "--hide" && i + 1 < args.size()) {
            hidden.insert(args[++i]);
        } else if (args[i] == "--crop" && i + 4 < args.size()) {
            int v[4];
            for (int k = 0; k < 4; ++k) {
                bool ok = false;
                v[k] = args[i + 1 + k].toInt(&ok);
                if (!ok)
                    return fail("bad crop value " + args[i + 1 + k]);
            }
            i += 4;
            crop = QRect(v[0], v[1], v[2], v[3]);
            if (crop.isEmpty() || !QRect(0, 0, width, height).contains(crop))
                return fail("crop rectangle lies outside the " + args[3] + " x " + args[4] + " picture");
        } else {
            return fail(usage);
        }
    }

    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return fail("cannot read " + source);
    QByteArray svg = file.readAll();
    if (!hidden.isEmpty()) {
        QSet<QString> found;
        QString error;
        svg = withoutElements(svg, hidden, found, error);
        if (!error.isEmpty())
            return fail(source + ": " + error);
        for (const QString& id : hidden)
            if (!found.contains(id))
                return fail(source + " has no element with id " + id);
    }

    QSvgRenderer renderer(svg);
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
    if (crop != image.rect())
        image = image.copy(crop);

    bool saved = false;
    if (format == "jpg") {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        saved = flat.save(output, "JPG", 92);
    } else if (format == "png") {
        saved = image.convertToFormat(QImage::Format_ARGB32).save(output, "PNG");
    } else if (format == "bmp8") {
        QImage flat(image.size(), QImage::Format_RGB32);
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
