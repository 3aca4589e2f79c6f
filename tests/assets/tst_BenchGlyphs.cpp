// The switch pictures and the power button's glyph: the lamp shows the
// state, and the colour a control treats as transparent (the bottom-left
// pixel) is background, never part of the drawing.
#include <QImage>
#include <QtTest>

namespace {

QImage load(const QString& name)
{
    return QImage(":/pictures/" + name).convertToFormat(QImage::Format_ARGB32);
}

bool litRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 120 && qBlue(c) < 120;
}

QRgb bottomLeft(const QImage& image)
{
    return image.pixel(0, image.height() - 1);
}

// Every pixel of `image` inside `area` that has the colour of the
// bottom-left pixel: these would be painted over as transparent.
int keyedOut(const QImage& image, const QRect& area)
{
    const QRgb key = bottomLeft(image);
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == key;
    return count;
}

} // namespace

class tst_BenchGlyphs : public QObject
{
    Q_OBJECT

private slots:
    // Checked: lever up, lamp at the top right lit; unchecked: lamp dark.
    void switchLampShowsTheState()
    {
        const QImage on = load("switch-on.png");
        const QImage off = load("switch-off.png");
        const QPoint lamp(37, 10);
        QVERIFY(litRed(on.pixel(lamp)));
        QVERIFY(!litRed(off.pixel(lamp)));
        QVERIFY(qRed(off.pixel(lamp)) < 140);
    }

    // Both switch pictures key out the same background colour, and only
    // outside the plate that carries the switch.
    void switchBackgroundIsTheTransparentColour()
    {
        const QImage on = load("switch-on.png");
        const QImage off = load("switch-off.png");
        QCOMPARE(bottomLeft(on), bottomLeft(off));
        QCOMPARE(qAlpha(bottomLeft(on)), 255);
        const QRect plate(3, 3, 40, 24);
        QCOMPARE(keyedOut(on, plate), 0);
        QCOMPARE(keyedOut(off, plate), 0);
    }

    // Frames up, disabled, pressed: a pale ring with no lit lamp; the down
    // frame: a dark ring around the lit lamp.
    void powerGlyphFrames()
    {
        const QImage strip = load("power.png");
        for (int frame = 0; frame < 3; ++frame) {
            const QPoint centre(frame * 16 + 8, 8), ring(frame * 16 + 8, 2);
            QVERIFY2(!litRed(strip.pixel(centre)), qPrintable(QString("frame %1").arg(frame)));
            QVERIFY2(qGray(strip.pixel(ring)) > 180 && qAlpha(strip.pixel(ring)) > 200,
                     qPrintable(QString("frame %1").arg(frame)));
        }
        QVERIFY(litRed(strip.pixel(56, 8)));
        QVERIFY(qGray(strip.pixel(56, 2)) < 60 && qAlpha(strip.pixel(56, 2)) > 200);
    }

    // The button glyphs are drawn on a see-through background; the key
    // colour, taken from the bottom-left pixel, is that background and
    // appears in no drawn pixel, so keying and alpha give the same picture.
    void buttonGlyphsHaveClearBackgrounds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("power") << "power.png";
        QTest::newRow("printer") << "printer.png";
        QTest::newRow("exit") << "exit.png";
    }
    void buttonGlyphsHaveClearBackgrounds()
    {
        QFETCH(QString, name);
        const QImage image = load(name);
        QCOMPARE(qAlpha(bottomLeft(image)), 0);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (qAlpha(c) == 255) {
                    ++drawn;
                    QVERIFY2(c != 0xFF000000u, qPrintable(QString("pure black at %1,%2").arg(x).arg(y)));
                }
            }
        QVERIFY(drawn > image.width() * image.height() / 8);
    }
};

QTEST_MAIN(tst_BenchGlyphs)
#include "tst_BenchGlyphs.moc"
