// The revolving drum's cost: the ten frames painted for one changed second,
// at the admission test's size (125 x 37) and at four times that size.
//
//   perf_dxfTimer [DIR]    with DIR, also writes the frames there as PNG
#include "../Median.h"
#include "widgets/dxfTimer/TdxfTimer.h"

#include "platform/Clock.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

class StillClock : public Clock
{
public:
    QTime Now{10, 0, 0};
    QTime utcTimeOfDay() const override { return Now; }
    QTime localTimeOfDay() const override { return Now; }
    std::int64_t tickCount() const override { return 0; }
    void sleep(int) override {}
};

void measure(int scale, const QString& dir)
{
    StillClock clock;
    TdxfTimer timer;
    timer.setClock(&clock);
    timer.resize(125 * scale, 37 * scale);
    timer.setProperty("EndSec", 45);
    timer.setProperty("DisplayStyle", "tsRevolvingDrum");
    timer.setProperty("IncrementStyle", "isBack");
    timer.setProperty("DisplayFormat", "ss");
    timer.setProperty("BorderStyle", "bsSingle");
    timer.setProperty("BorderColor", "clGray");
    timer.setProperty("Color", "clAqua");
    QFont font = timer.font();
    font.setPixelSize(11 * scale);
    timer.setFont(font);
    timer.Reset();
    clock.Now = clock.Now.addSecs(1);
    timer.Tick(); // "44", coming from "45"

    QTextStream out(stdout);
    // The frames rendered off screen, as the paint builds them.
    const int rounds = scale == 1 ? 400 : 40;
    std::vector<double> offscreen;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer watch;
        watch.start();
        for (int phase = 1; phase <= 10; ++phase)
            timer.renderFace(QStringLiteral("45"), phase);
        offscreen.push_back(watch.nsecsElapsed() / 1e6);
    }

    // The frames painted on the shown control, through its window: the
    // count goes back and forth between 45 and 44, ten frames each time.
    timer.show();
    while (!timer.windowHandle() || !timer.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents();
    std::vector<double> onScreen;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer watch;
        watch.start();
        if (round % 2 == 0) {
            timer.Reset(); // back to 45
        } else {
            clock.Now = clock.Now.addSecs(1);
            timer.Tick();
        }
        onScreen.push_back(watch.nsecsElapsed() / 1e6);
    }
    timer.hide();

    out << QStringLiteral("drum %1 x %2: ten frames off screen %3 ms (median of %4), on the shown control %5 ms\n")
               .arg(timer.width())
               .arg(timer.height())
               .arg(median(offscreen), 0, 'f', 3)
               .arg(rounds)
               .arg(median(onScreen), 0, 'f', 3);

    if (!dir.isEmpty()) {
        for (int phase = 1; phase <= 10; ++phase)
            timer.renderFace(QStringLiteral("45"), phase)
                .save(QDir(dir).filePath(QStringLiteral("drum%1_%2.png").arg(scale).arg(phase, 2, 10, QLatin1Char('0'))));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    measure(1, dir);
    measure(4, dir);
    return 0;
}
