#include "widgets/dxfTimer/TdxfTimer.h"

#include "widgets/common/BlendColor.h"
#include "support/FakeClock.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// The countdown of the admission test, as the stored form sets it up.
void setUpAdmissionClock(TdxfTimer& timer)
{
    timer.resize(125, 37);
    QVERIFY(timer.setProperty("EndHour", 0));
    QVERIFY(timer.setProperty("EndMin", 0));
    QVERIFY(timer.setProperty("EndSec", 45));
    QVERIFY(timer.setProperty("DisplayStyle", "tsRevolvingDrum"));
    QVERIFY(timer.setProperty("IncrementStyle", "isBack"));
    QVERIFY(timer.setProperty("DisplayFormat", "ss"));
    QVERIFY(timer.setProperty("BorderStyle", "bsSingle"));
    QVERIFY(timer.setProperty("BorderColor", "clGray"));
    QVERIFY(timer.setProperty("Color", "clAqua"));
}

QRgb rgbOf(TColor c)
{
    return c.toQColor().rgb();
}

// Per row, how many pixels differ from the same row of the reference.
QList<int> inkPerRow(const QImage& face, const QImage& reference)
{
    QList<int> counts;
    for (int y = 0; y < face.height(); ++y) {
        int n = 0;
        for (int x = 0; x < face.width(); ++x)
            n += face.pixel(x, y) != reference.pixel(x, y);
        counts.append(n);
    }
    return counts;
}

} // namespace

class tst_TdxfTimer : public QObject
{
    Q_OBJECT

private:
    FakeClock clock;

    // Counts from zero to `seconds` on the fake clock.
    void countTo(TdxfTimer& timer, int seconds)
    {
        clock.Local = QTime(10, 0, 0);
        timer.Reset();
        // A tick counts less than a day, so go in steps of an hour at most.
        for (int left = seconds; left > 0; left -= 3600) {
            clock.advance(std::min(left, 3600) * 1000);
            timer.Tick();
        }
        QCOMPARE(timer.ElapsedSeconds(), seconds);
    }

    // The test's 45 seconds counted back in seconds, on the test's clock.
    void countBack45(TdxfTimer& timer)
    {
        timer.setClock(&clock);
        timer.setEndSec(45);
        timer.setIncrementStyle(TdxfTimer::isBack);
        timer.setDisplayFormat("ss");
    }

private slots:
    void init() { clock.Local = QTime(10, 0, 0); }

    void storedFormSetsEveryProperty()
    {
        TdxfTimer timer;
        setUpAdmissionClock(timer);
        QCOMPARE(timer.totalSeconds(), 45);
        QCOMPARE(timer.DisplayStyle(), TdxfTimer::tsRevolvingDrum);
        QCOMPARE(timer.IncrementStyle(), TdxfTimer::isBack);
        QCOMPARE(timer.BorderStyle(), TdxfTimer::bsSingle);
        QCOMPARE(timer.BorderColor(), clGray);
        QCOMPARE(timer.Color(), clAqua);
        QVERIFY(timer.setProperty("BevelInner", "bvNone"));
        QCOMPARE(timer.BevelInner(), TdxfTimer::bvNone);
    }

    void endTimeOutOfRangeIsIgnored()
    {
        TdxfTimer timer;
        timer.setEndSec(45);
        timer.setEndSec(90000);
        QCOMPARE(timer.EndSec(), 45);
        timer.setEndSec(-1);
        QCOMPARE(timer.EndSec(), 45);
        timer.setEndHour(24);
        QCOMPARE(timer.EndHour(), 0);
        // Parts may be anything while the total stays within a day.
        timer.setEndHour(23);
        timer.setEndMin(59);
        timer.setEndSec(59);
        QCOMPARE(timer.totalSeconds(), 86399);
        timer.setEndSec(60);
        QCOMPARE(timer.EndSec(), 59);
        timer.setEndMin(-1);
        QCOMPARE(timer.totalSeconds(), 23 * 3600 - 60 + 59);
        // A part so large that a narrow product would wrap into range.
        timer.setEndHour(1193047);
        QCOMPARE(timer.EndHour(), 23);
    }

    void zeroEndTimeFallsBackToForwardText()
    {
        TdxfTimer timer;
        timer.setEndSec(45);
        timer.setIncrementStyle(TdxfTimer::isBack);
        timer.setDisplayStyle(TdxfTimer::tsHourGlass);
        QCOMPARE(timer.DisplayStyle(), TdxfTimer::tsHourGlass);
        timer.setEndSec(0);
        QCOMPARE(timer.IncrementStyle(), TdxfTimer::isForward);
        QCOMPARE(timer.DisplayStyle(), TdxfTimer::tsText);

        // Without an end time neither is accepted; other styles are.
        timer.setDisplayStyle(TdxfTimer::tsHourGlass);
        QCOMPARE(timer.DisplayStyle(), TdxfTimer::tsText);
        timer.setIncrementStyle(TdxfTimer::isBack);
        QCOMPARE(timer.IncrementStyle(), TdxfTimer::isForward);
        timer.setDisplayStyle(TdxfTimer::tsIndicator);
        QCOMPARE(timer.DisplayStyle(), TdxfTimer::tsIndicator);

        // A zero end time keeps a drum a drum.
        timer.setEndSec(5);
        timer.setDisplayStyle(TdxfTimer::tsRevolvingDrum);
        timer.setEndSec(0);
        QCOMPARE(timer.DisplayStyle(), TdxfTimer::tsRevolvingDrum);
    }

    void admissionCountdown()
    {
        TdxfTimer timer;
        setUpAdmissionClock(timer);
        timer.setClock(&clock);
        int ends = 0;
        bool stoppedBeforeEnd = false;
        connect(&timer, &TdxfTimer::OnEndOfTime, this, [&](TdxfTimer* sender) {
            QCOMPARE(sender, &timer);
            ++ends;
            stoppedBeforeEnd = !sender->Running();
        });

        timer.Stop();
        timer.Start();
        timer.Reset();
        QVERIFY(timer.Running());
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("45"));

        // Ticks four times a second; a quarter second into each second.
        clock.advance(250);
        for (int second = 1; second <= 44; ++second) {
            for (int quarter = 0; quarter < 4; ++quarter) {
                clock.advance(250);
                timer.Tick();
            }
            QCOMPARE(timer.ElapsedSeconds(), second);
        }
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("01"));
        QCOMPARE(ends, 0);

        for (int quarter = 0; quarter < 4; ++quarter) {
            clock.advance(250);
            timer.Tick();
        }
        QCOMPARE(ends, 1);
        QVERIFY(stoppedBeforeEnd);
        QVERIFY(!timer.Running());
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("00"));

        // The next question: counting again from 45.
        timer.Stop();
        timer.Start();
        timer.Reset();
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("45"));
        QCOMPARE(timer.ElapsedSeconds(), 0);
    }

    void stoppedClockRaisesNothing()
    {
        TdxfTimer timer;
        setUpAdmissionClock(timer);
        timer.setClock(&clock);
        QSignalSpy ends(&timer, &TdxfTimer::OnEndOfTime);
        QSignalSpy seconds(&timer, &TdxfTimer::OnSecondChange);
        timer.Start();
        timer.Reset();
        clock.advance(20000);
        timer.Tick();
        timer.Stop();
        seconds.clear();

        // The interval timer itself must be off, or the minute passing on
        // the wall clock would be counted at its next tick.
        clock.advance(60000);
        const QTimer* interval = timer.findChild<QTimer*>();
        QVERIFY(interval && !interval->isActive());
        QCOMPARE(ends.count(), 0);
        QCOMPARE(seconds.count(), 0);
        QCOMPARE(timer.ElapsedSeconds(), 20);
    }

    void runningClockTicksByItself()
    {
        TdxfTimer timer;
        timer.setClock(&clock);
        timer.setEndSec(5);
        QSignalSpy ends(&timer, &TdxfTimer::OnEndOfTime);
        timer.Start();
        clock.advance(5000);
        QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, 2000);
        QVERIFY(!timer.Running());
    }

    void endHandlerMayRestartTheClock()
    {
        // The test's time-out handler runs the next question, which calls
        // Stop, Start and Reset from inside the end event.
        TdxfTimer timer;
        setUpAdmissionClock(timer);
        timer.setClock(&clock);
        int ends = 0;
        connect(&timer, &TdxfTimer::OnEndOfTime, this, [&](TdxfTimer* sender) {
            ++ends;
            sender->Stop();
            sender->Start();
            sender->Reset();
        });
        timer.Start();
        timer.Reset();
        clock.advance(45000);
        timer.Tick();
        QCOMPARE(ends, 1);
        QVERIFY(timer.Running());
        QCOMPARE(timer.ElapsedSeconds(), 0);
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("45"));
        clock.advance(1000);
        timer.Tick();
        QCOMPARE(ends, 1);
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("44"));
    }

    void countFollowsWholeWallClockSeconds_data()
    {
        QTest::addColumn<QTime>("from");
        QTest::addColumn<QTime>("to");
        QTest::addColumn<int>("added");

        QTest::newRow("one second") << QTime(10, 0, 0) << QTime(10, 0, 1) << 1;
        QTest::newRow("within a second") << QTime(10, 0, 0, 100) << QTime(10, 0, 0, 900) << 0;
        QTest::newRow("across a second mark") << QTime(10, 0, 0, 900) << QTime(10, 0, 1, 100) << 1;
        QTest::newRow("late tick") << QTime(10, 0, 0) << QTime(10, 0, 3, 500) << 3;
        QTest::newRow("midnight") << QTime(23, 59, 59) << QTime(0, 0, 0) << 1;
        QTest::newRow("midnight late") << QTime(23, 59, 58, 900) << QTime(0, 0, 1, 200) << 3;
    }

    void countFollowsWholeWallClockSeconds()
    {
        QFETCH(QTime, from);
        QFETCH(QTime, to);
        QFETCH(int, added);

        TdxfTimer timer;
        timer.setClock(&clock);
        clock.Local = from;
        timer.Start();
        QSignalSpy seconds(&timer, &TdxfTimer::OnSecondChange);
        clock.Local = to;
        timer.Tick();
        QCOMPARE(timer.ElapsedSeconds(), added);
        QCOMPARE(seconds.count(), added > 0 ? 1 : 0);
    }

    void changeEventsInOrder()
    {
        TdxfTimer timer;
        timer.setClock(&clock);
        QStringList order;
        connect(&timer, &TdxfTimer::OnHourChange, this, [&] { order << "hour"; });
        connect(&timer, &TdxfTimer::OnMinuteChange, this, [&] { order << "minute"; });
        connect(&timer, &TdxfTimer::OnSecondChange, this, [&] { order << "second"; });

        clock.Local = QTime(10, 59, 59);
        timer.Start();
        clock.Local = QTime(11, 0, 0);
        timer.Tick();
        QCOMPARE(order, (QStringList{"hour", "minute", "second"}));

        // A whole minute later the seconds read the same: only the minute
        // changes.
        order.clear();
        clock.Local = QTime(11, 1, 0);
        timer.Tick();
        QCOMPARE(order, QStringList{"minute"});
    }

    void startRewindsOnlyAFinishedCount()
    {
        TdxfTimer timer;
        countBack45(timer);

        // Stopped half-way: Start goes on from the kept count.
        timer.Start();
        clock.advance(20000);
        timer.Tick();
        timer.Stop();
        clock.advance(5000);
        timer.Start();
        QCOMPARE(timer.ElapsedSeconds(), 20);
        clock.advance(1000);
        timer.Tick();
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("24"));

        // Ended exactly: Start begins again from zero.
        clock.advance(24000);
        timer.Tick();
        QVERIFY(!timer.Running());
        QCOMPARE(timer.ElapsedSeconds(), 45);
        timer.Start();
        QCOMPARE(timer.ElapsedSeconds(), 0);
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("45"));
    }

    void lateTickPastTheEnd()
    {
        TdxfTimer timer;
        countBack45(timer);
        QSignalSpy ends(&timer, &TdxfTimer::OnEndOfTime);
        timer.Start();
        clock.advance(44000);
        timer.Tick();
        clock.advance(3000);
        timer.Tick();
        QCOMPARE(ends.count(), 1);
        QCOMPARE(timer.ElapsedSeconds(), 47);
        // The remainder shows as zero, not as a negative time.
        QCOMPARE(timer.GetDisplayText(), QStringLiteral("00"));
        // A count beyond the end has finished as well: Start rewinds it.
        timer.Start();
        QCOMPARE(timer.ElapsedSeconds(), 0);
        clock.advance(1000);
        timer.Tick();
        QCOMPARE(ends.count(), 1);
        QVERIFY(timer.Running());
    }

    void displayText_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("incrementStyle");
        QTest::addColumn<int>("endTime");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<QString>("expected");

        QTest::newRow("forward") << "hh:nn:ss" << int(TdxfTimer::isForward) << 0 << 3725 << "01:02:05";
        QTest::newRow("back") << "hh:nn:ss" << int(TdxfTimer::isBack) << 3600 << 1 << "00:59:59";
        QTest::newRow("short") << "h:n:s" << int(TdxfTimer::isBack) << 3600 << 3599 << "0:0:1";
        QTest::newRow("ss of a minute and more") << "ss" << int(TdxfTimer::isForward) << 0 << 61 << "01";
        QTest::newRow("forward wraps after a day") << "hh:nn:ss" << int(TdxfTimer::isForward) << 0
                                                   << 86400 + 5 << "00:00:05";
    }

    void displayText()
    {
        QFETCH(QString, format);
        QFETCH(int, incrementStyle);
        QFETCH(int, endTime);
        QFETCH(int, elapsed);
        QFETCH(QString, expected);

        TdxfTimer timer;
        timer.setClock(&clock);
        timer.setEndSec(endTime);
        timer.setIncrementStyle(TdxfTimer::TdxfIncrementStyle(incrementStyle));
        timer.setDisplayFormat(format);
        countTo(timer, elapsed);
        QCOMPARE(timer.GetDisplayText(), expected);
    }

    void bevelsAndBorder()
    {
        TdxfTimer timer;
        setUpAdmissionClock(timer);
        timer.setClock(&clock);
        timer.Reset();
        const QImage face = timer.renderFace();
        // The sunken single border outside the client area.
        QCOMPARE(face.pixel(0, 0), rgbOf(clBtnShadow));
        QCOMPARE(face.pixel(124, 36), rgbOf(clBtnHighlight));
        QCOMPARE(face.pixel(1, 1), rgbOf(cl3DDkShadow));
        QCOMPARE(face.pixel(123, 35), rgbOf(cl3DLight));
        // Raised outer bevel, then the lowered inner one, in shades of
        // the border colour.
        const QRgb light = rgbOf(BlendColor(clWhite, clGray, 4, 1));
        const QRgb dark = rgbOf(BlendColor(clBlack, clGray, 3, 2));
        QCOMPARE(face.pixel(60, 2), light);
        QCOMPARE(face.pixel(60, 34), dark);
        QCOMPARE(face.pixel(122, 10), dark);
        QCOMPARE(face.pixel(60, 3), dark);
        QCOMPARE(face.pixel(60, 33), light);

        // Without a border the client is the whole control.
        timer.setBorderStyle(TdxfTimer::bsNone);
        const QImage plain = timer.renderFace();
        QCOMPARE(plain.pixel(60, 0), light);
        QCOMPARE(plain.pixel(60, 36), dark);
    }

    void textFaceIsCentredOnColour()
    {
        TdxfTimer timer;
        timer.setClock(&clock);
        timer.setBevelOuter(TdxfTimer::bvNone);
        timer.setBevelInner(TdxfTimer::bvNone);
        timer.setColor(clTeal);
        QFont font = timer.font();
        font.setPixelSize(16);
        timer.setFont(font);
        timer.resize(120, 30);
        const QImage face = timer.renderFace();
        int inkLeft = face.width(), inkRight = -1;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                if (face.pixel(x, y) != rgbOf(clTeal)) {
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x);
                }
        QVERIFY(inkRight > inkLeft);
        QVERIFY(std::abs((inkLeft + inkRight) / 2 - 60) <= 3);
        QCOMPARE(face.pixel(2, 2), rgbOf(clTeal));
    }

    void sevenSegmentDigits_data()
    {
        QTest::addColumn<int>("digit");
        QTest::addColumn<int>("bars");
        // Horizontal segments: top, middle and bottom.
        QTest::newRow("1") << 1 << 0;
        QTest::newRow("7") << 7 << 1;
        QTest::newRow("0") << 0 << 2;
        QTest::newRow("4") << 4 << 1;
        QTest::newRow("8") << 8 << 3;
    }

    void sevenSegmentDigits()
    {
        QFETCH(int, digit);
        QFETCH(int, bars);

        TdxfTimer timer;
        timer.setClock(&clock);
        timer.setDisplayFormat("s");
        timer.setDisplayStyle(TdxfTimer::tsIndicator);
        QPalette palette = timer.palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        timer.setPalette(palette);
        QFont font = timer.font();
        font.setPixelSize(60);
        timer.setFont(font);
        timer.resize(100, 90);
        countTo(timer, digit);
        const QImage face = timer.renderFace();

        // Count the bands of rows with a black run of at least a third of
        // the digit's width: the horizontal segments.
        const int minimum = QFontMetrics(font).horizontalAdvance('H') / 3;
        int bands = 0;
        bool inBand = false;
        for (int y = 0; y < face.height(); ++y) {
            int run = 0, longest = 0;
            for (int x = 0; x < face.width(); ++x) {
                run = face.pixel(x, y) == qRgb(0, 0, 0) ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            const bool lit = longest >= minimum;
            bands += lit && !inBand;
            inBand = lit;
        }
        QCOMPARE(bands, bars);
    }

    void hourGlassSandRunsDown()
    {
        TdxfTimer timer;
        timer.setClock(&clock);
        timer.setEndSec(60);
        timer.setDisplayStyle(TdxfTimer::tsHourGlass);
        timer.resize(90, 150);
        const int Wc = 90, Hc = 150;
        const int pw = Wc / 15, m = Hc / 15, d = m;
        const int g = (Hc - 2 * d) / 5;
        const int x0 = pw + 2 * m + 1;
        const int t = Wc / 2 - x0;
        const TColor pale = BlendColor(clWhite, clOlive, 5, 1);
        auto sand = [&](int x) { return rgbOf(BlendColor(pale, clOlive, 2 * t, x - x0)); };
        const int column = x0 + 3;
        const int fullTop = Hc / 2 - 2 - 2 * g + 1; // near the top of a full upper bulb
        const int upperBottom = d + 2 * g - 2;      // low in the upper bulb
        const int lowerBottom = Hc - d - 2;         // bottom of the lower bulb

        countTo(timer, 0);
        QImage face = timer.renderFace();
        QCOMPARE(face.pixel(column, fullTop), sand(column));
        QCOMPARE(face.pixel(column, upperBottom), sand(column));
        QVERIFY(face.pixel(column, lowerBottom) != sand(column));
        // Plates at the top and bottom, posts at the sides.
        QCOMPARE(face.pixel(0, 0), rgbOf(BlendColor(clWhite, clSilver, 4, 1)));

        countTo(timer, 30);
        face = timer.renderFace();
        QVERIFY(face.pixel(column, fullTop) != sand(column));
        QCOMPARE(face.pixel(column, upperBottom), sand(column));

        countTo(timer, 60);
        face = timer.renderFace();
        QVERIFY(face.pixel(column, upperBottom) != sand(column));
        QCOMPARE(face.pixel(column, lowerBottom), sand(column));
    }

    void drumRestsOnTheCount()
    {
        TdxfTimer timer;
        setUpAdmissionClock(timer);
        timer.setClock(&clock);
        countTo(timer, 0);
        QCOMPARE(timer.PreviousText(), QStringLiteral("45"));
        QCOMPARE(timer.DrumPhase(), 10);
        // At rest the face is the one of a roll's last frame.
        QCOMPARE(timer.renderFace(), timer.renderFace("44", 10));
        QVERIFY(timer.renderFace() != timer.renderFace("44", 5));
    }

    void drumKeepsUnchangedDigitsStill()
    {
        TdxfTimer timer;
        setUpAdmissionClock(timer);
        QFont font = timer.font();
        font.setPixelSize(20);
        font.setStyleStrategy(QFont::NoAntialias);
        timer.setFont(font);
        timer.setClock(&clock);
        countTo(timer, 1); // "44", coming from "45"

        // Columns inside the left cell whatever the curvature's shift.
        const int safeRight = 2 + 117 / 2 - 6;
        auto left = [&](const QImage& face) { return face.copy(0, 0, safeRight, face.height()); };
        auto right = [&](const QImage& face) { return face.copy(70, 0, face.width() - 70, face.height()); };
        const QImage still = timer.renderFace("44", 10);
        for (int phase = 1; phase <= 10; ++phase)
            QCOMPARE(left(timer.renderFace("45", phase)), left(still));
        QVERIFY(right(timer.renderFace("45", 1)) != right(still));
        QVERIFY(right(timer.renderFace("45", 5)) != right(timer.renderFace("45", 6)));
        QCOMPARE(timer.renderFace("45", 10), still);

        // From "10" to "09" both digits roll.
        countTo(timer, 36);
        const QImage nine = timer.renderFace("09", 10);
        QVERIFY(left(timer.renderFace("10", 3)) != left(nine));
        QVERIFY(right(timer.renderFace("10", 3)) != right(nine));
        QCOMPARE(timer.renderFace("10", 10), nine);
    }

    void drumRollsWithTheCount_data()
    {
        QTest::addColumn<int>("incrementStyle");
        QTest::addColumn<int>("endTime");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<QString>("previous");
        // Rows the content moves per frame: up (negative) or down.
        QTest::addColumn<int>("direction");

        QTest::newRow("back rolls up") << int(TdxfTimer::isBack) << 9 << 1 << "9" << -1;
        QTest::newRow("forward rolls down") << int(TdxfTimer::isForward) << 0 << 8 << "7" << 1;
    }

    void drumRollsWithTheCount()
    {
        QFETCH(int, incrementStyle);
        QFETCH(int, endTime);
        QFETCH(int, elapsed);
        QFETCH(QString, previous);
        QFETCH(int, direction);

        TdxfTimer timer;
        setUpAdmissionClock(timer);
        QFont font = timer.font();
        font.setPixelSize(20);
        font.setStyleStrategy(QFont::NoAntialias);
        timer.setFont(font);
        timer.setClock(&clock);
        timer.setEndSec(endTime);
        timer.setIncrementStyle(TdxfTimer::TdxfIncrementStyle(incrementStyle));
        timer.setDisplayFormat("' '");
        countTo(timer, elapsed);
        const QImage blank = timer.renderFace(" ", 10);
        timer.setDisplayFormat("s");
        QCOMPARE(timer.GetDisplayText().size(), 1);

        const int top = 4, height = 29; // the drum's rows: inside border and bevels
        const int step = height / 10;
        QList<QList<int>> frames;
        for (int phase = 1; phase <= 10; ++phase)
            frames.append(inkPerRow(timer.renderFace(previous, phase), blank));

        // Each frame is the one before moved by one step, row for row.
        for (int phase = 1; phase <= 8; ++phase) {
            const QList<int>& before = frames[phase - 1];
            const QList<int>& after = frames[phase];
            for (int y = top + step; y < top + height - step; ++y)
                QCOMPARE(after[y], before[y - direction * step]);
        }
        QVERIFY(frames[0] != frames[7]);
        int ink = 0;
        for (int n : frames[4])
            ink += n;
        QVERIFY(ink > 20);
        // The last frame shows the new digit alone, at rest.
        QCOMPARE(frames[9], inkPerRow(timer.renderFace(timer.GetDisplayText(), 10), blank));
    }

    void drumPaintsTenFramesPerChangedSecond()
    {
        TdxfTimer timer;
        setUpAdmissionClock(timer);
        timer.setClock(&clock);
        timer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&timer));

        struct PaintCounter : QObject
        {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        timer.Start();
        timer.Reset();
        timer.installEventFilter(&counter);

        clock.advance(1000);
        timer.Tick();
        QCOMPARE(counter.paints, 10);
        QCOMPARE(timer.PreviousText(), QStringLiteral("44"));
        counter.paints = 0;
        timer.Reset(); // back to "45": a roll
        QCOMPARE(counter.paints, 10);
        counter.paints = 0;
        timer.Reset(); // the same text: one still frame
        QCOMPARE(counter.paints, 1);
    }

    void tinyControlsPaint()
    {
        // Sizes too small for the shading must paint without failing.
        for (int style : {int(TdxfTimer::tsText), int(TdxfTimer::tsIndicator),
                          int(TdxfTimer::tsRevolvingDrum), int(TdxfTimer::tsHourGlass)}) {
            for (const QSize size : {QSize(1, 1), QSize(4, 4), QSize(14, 9), QSize(30, 12)}) {
                TdxfTimer timer;
                timer.setEndSec(10);
                timer.setDisplayStyle(TdxfTimer::TdxfTimerStyle(style));
                timer.setBorderStyle(TdxfTimer::bsSingle);
                timer.resize(size);
                QCOMPARE(timer.renderFace().size(), size);
                QCOMPARE(timer.renderFace("99", 3).size(), size);
            }
        }
    }
};

QTEST_MAIN(tst_TdxfTimer)
#include "tst_TdxfTimer.moc"
