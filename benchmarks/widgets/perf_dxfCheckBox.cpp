// The glyph check box's paint: one box with a caption and a strip look, and
// one bench switch with its own 46 x 30 pictures, painted through the
// shared scratch bitmap onto the shown control.
#include "../Median.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

void measure(const QString& name, TdxfCheckBox& box)
{
    box.show();
    while (!box.windowHandle() || !box.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents();

    constexpr int rounds = 2000;
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer watch;
        watch.start();
        box.repaint();
        times.push_back(watch.nsecsElapsed() / 1e3);
    }
    box.hide();
    QTextStream(stdout) << QStringLiteral("%1 %2 x %3: one paint %4 us (median of %5)\n")
                               .arg(name)
                               .arg(box.width())
                               .arg(box.height())
                               .arg(median(times), 0, 'f', 1)
                               .arg(rounds);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPixelSize(11);

    TdxfCheckBox parameter;
    parameter.setCaption(QStringLiteral("Коэффициент усиления"));
    parameter.setFont(font); // sizes the box to picture and caption
    parameter.setChecked(true);
    measure(QStringLiteral("check box with caption, strip look"), parameter);

    TdxfCheckBox lever;
    lever.setFont(font);
    lever.setAutoSize(false);
    lever.resize(95, 30);
    lever.setStyle(14);
    QImage up(46, 30, QImage::Format_RGB32);
    up.fill(Qt::magenta);
    for (int y = 4; y < 26; ++y)
        for (int x = 10; x < 36; ++x)
            up.setPixel(x, y, qRgb(128, 128, 128));
    lever.setGlyphChecked(up);
    lever.setGlyphUnChecked(up.mirrored());
    lever.setCaption(QStringLiteral("S1 выкл."));
    measure(QStringLiteral("switch with its own pictures"), lever);
    return 0;
}
