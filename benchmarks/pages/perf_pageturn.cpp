// Measures the page turns of the main window: from the click (press and
// release) to the moment the next page has been painted and handed to the
// window system, for
//   intro -> registration ("Далее..."),
//   registration -> theory ("Регистрация": journal, first question, theory page),
//   theory -> test ("Далее..."),
//   the pass -> bench (the tenth "OK": verdict, journal, instructions),
//   the outlook bar's switch to the instructions and back,
// each beside the same click on a bare QStackedWidget of the page's size.
//
//   perf-pageturn [RUNS] [WIDTHxHEIGHT]
//
// RUNS defaults to 21; the frame to the stored size, 733x562 (1466x1124:
// the pages zoomed to twice their size); the platform comes from
// QT_QPA_PLATFORM.
//
// Each run builds a fresh window in a scratch copy of the lab folder; the
// message boxes return at once, as if closed the moment they open.
#include "../Median.h"
#include "admission/run/TestRun.h"
#include "app/Unit1.h"
#include "platform/Clock.h"
#include "widgets/controls/Dialogs.h"
#include "widgets/controls/ProgramEnd.h"
#include "widgets/common/ControlZoom.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"
#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <map>
#include <vector>

namespace {

class ClosedAtOnce : public Dialogs
{
public:
    void message(const QString&) override {}
    void error(const QString& text) override { std::fprintf(stderr, "error box: %s\n", qPrintable(text)); }
    void information(const QString&) override {}
};

class NoEnd : public ProgramEnd
{
public:
    void endProgram() override {}
};

// Notes the first paint of a widget after it is armed.
class PaintWatch : public QObject
{
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Milliseconds the program's thread has spent on the processor.
double threadMillis()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The processor time of the last turn, in milliseconds.
double LastCpu = 0;

// Milliseconds from the click to the painted target: the click's press and
// release are delivered at once; then the event loop runs until the target
// has been painted, which is done in one pass over the window with its
// flush to the screen.
// The processor time the thread spent on it goes to LastCpu.
double turn(const std::function<void()>& click, QWidget* target)
{
    PaintWatch watch;
    target->installEventFilter(&watch);
    QElapsedTimer timer;
    const double cpu = threadMillis();
    timer.start();
    click();
    while (!watch.Painted) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (timer.elapsed() > 5000) {
            std::fprintf(stderr, "no paint of %s\n", qPrintable(target->objectName()));
            break;
        }
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    LastCpu = threadMillis() - cpu;
    target->removeEventFilter(&watch);
    return ms;
}

void click(QWidget* w, QPoint at = {})
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QTest::qWait(10);
}

// The bare floor: a QStackedWidget of the given size whose pages hold one
// button that turns to the next page.
double bareTurn(QSize size)
{
    QStackedWidget stack;
    stack.resize(size);
    QList<QPushButton*> buttons;
    for (int i = 0; i < 2; ++i) {
        auto* page = new QWidget;
        auto* button = new QPushButton(QStringLiteral("Далее..."), page);
        button->setGeometry(size.width() - 110, size.height() - 48, 99, 40);
        QObject::connect(button, &QPushButton::clicked, &stack, [&stack, i] { stack.setCurrentIndex(1 - i); });
        buttons << button;
        stack.addWidget(page);
    }
    stack.show();
    if (!QTest::qWaitForWindowExposed(&stack))
        return 0;
    settle();
    return turn([&] { click(buttons[0]); }, stack.widget(1));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    QSize frame(733, 562);
    if (argc > 2) {
        const QStringList parts = QString::fromLatin1(argv[2]).split(QLatin1Char('x'));
        if (parts.size() == 2)
            frame = QSize(parts[0].toInt(), parts[1].toInt()).expandedTo(frame);
    }

    const char* names[] = {"intro -> registration", "registration -> theory", "theory -> test",
                           "pass -> bench", "bench -> instructions", "instructions -> bench"};
    // Wall time, and the time the program's thread spent on the processor
    // (what a busy machine does not inflate).
    std::map<int, std::vector<double>> times, cpus;
    std::vector<double> bare, bareBar, bareCpu, bareBarCpu;
    const auto record = [&](int i, double ms) {
        times[i].push_back(ms);
        cpus[i].push_back(LastCpu);
    };

    for (int run = 0; run < runs; ++run) {
        QTemporaryDir lab;
        for (const QString& file : QDir(QStringLiteral(LAB_DIR)).entryList(QDir::Files))
            if (file != QStringLiteral("Students.DAT"))
                QFile::copy(QDir(QStringLiteral(LAB_DIR)).filePath(file), lab.filePath(file));
        QDir::setCurrent(lab.path());

        ClosedAtOnce dialogs;
        NoEnd end;
        TForm1 form(dialogs, Clock::system(), end);
        form.resize(frame);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return 1;
        // The window makes its unseen pages ready a moment after its first
        // paint, as it does while a student reads the intro.
        QTest::qWait(TForm1::WarmUpDelayMs + 100);
        settle();
        auto page = [&](const char* name) { return form.findChild<QWidget*>(QString::fromLatin1(name)); };

        record(0, turn([&] { click(page("dxfColorButton2")); }, page("Page1")));
        settle();
        form.findChild<QLineEdit*>(QStringLiteral("EShifr"))->setText(QString::number(1000 + run));
        record(1, turn([&] { click(page("dxfColorButton4")); }, page("Page1_2")));
        settle();
        record(2, turn([&] { click(page("dxfColorButton3")); }, page("Page2")));
        settle();
        for (int q = 0; q < 10; ++q) {
            const int right = form.testRun().current().RightAnswer;
            auto* box = form.findChild<TdxfCheckBox*>(QStringLiteral("dxf%1").arg(right));
            if (!box->Checked())
                click(box);
            if (q < 9)
                click(page("glSpeedButton1"));
        }
        settle();
        record(3, turn([&] { click(page("glSpeedButton1")); }, page("Page3")));
        settle();

        auto* bar = form.findChild<TdxfOutlookBar*>(QStringLiteral("dxfOutlookBar1"));
        // The header where the bar shows it (zoomed with its page).
        auto header = [&](const char* group) {
            const QRect stored = bar->HeaderRect(form.findChild<TdxfOutlookGroup*>(QString::fromLatin1(group)));
            return ControlZoom::toShown(bar, stored).center();
        };
        record(4, turn([&] { click(bar, header("OutlookGroup2")); }, page("OutlookGroup2")));
        settle();
        record(5, turn([&] { click(bar, header("OutlookGroup1")); }, page("OutlookGroup1")));

        bare.push_back(bareTurn(form.size()));
        bareCpu.push_back(LastCpu);
        bareBar.push_back(bareTurn(bar->size()));
        bareBarCpu.push_back(LastCpu);
        QDir::setCurrent(QDir::tempPath());
    }

    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("page turns, click to painted page, %d runs, platform %s, ratio %.0f, frame %dx%d\n", runs,
                platform ? platform : "(default)", app.devicePixelRatio(), frame.width(), frame.height());
    std::printf("%-24s %9s %9s %7s   %9s %9s %7s\n", "turn (medians)", "wall ms", "bare ms", "/ bare",
                "cpu ms", "bare cpu", "/ bare");
    for (int i = 0; i < 6; ++i) {
        const double b = median(i < 4 ? bare : bareBar);
        const double bc = median(i < 4 ? bareCpu : bareBarCpu);
        std::printf("%-24s %9.2f %9.2f %7.2f   %9.2f %9.2f %7.2f\n", names[i], median(times[i]), b,
                    median(times[i]) / b, median(cpus[i]), bc, median(cpus[i]) / bc);
    }
    return 0;
}
