#include "widgets/common/BlendColor.h"

#include <QTest>

class tst_BlendColor : public QObject
{
    Q_OBJECT

private slots:
    void blend_data()
    {
        QTest::addColumn<TColor>("from");
        QTest::addColumn<TColor>("to");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("step");
        QTest::addColumn<TColor>("expected");

        QTest::newRow("step 0 is From") << clAqua << clBlack << 4 << 0 << clAqua;
        QTest::newRow("last step is To") << clAqua << clBlack << 4 << 4 << clBlack;
        // Channels apart, red in the lowest byte: 2/3 of the way from
        // (0,255,255) to white.
        QTest::newRow("drum light") << clAqua << clWhite << 3 << 2 << TColor::fromRgb(170, 255, 255);
        QTest::newRow("drum dark") << clAqua << clBlack << 2 << 1 << TColor::fromRgb(0, 127, 127);
        // Truncation toward zero in both directions: 255 - 255/2 = 127.5
        // gives 127, 0 + 255/2 = 127.5 gives 127.
        QTest::newRow("falling truncates") << clWhite << clBlack << 2 << 1 << TColor::fromRgb(127, 127, 127);
        QTest::newRow("rising truncates") << clBlack << clWhite << 2 << 1 << TColor::fromRgb(127, 127, 127);
        QTest::newRow("bevel light") << clWhite << clGray << 4 << 1 << TColor::fromRgb(223, 223, 223);
        QTest::newRow("bevel dark") << clBlack << clGray << 3 << 2 << TColor::fromRgb(85, 85, 85);
        QTest::newRow("mixed channels") << TColor::fromRgb(10, 200, 30) << TColor::fromRgb(250, 0, 130) << 10 << 3
                                        << TColor::fromRgb(82, 140, 60);
        // System colours are not looked up: their low bytes blend as they
        // stand (clBtnFace is index 15).
        QTest::newRow("system colour raw") << clBtnFace << clBlack << 1 << 0 << TColor::fromRgb(15, 0, 0);
        // No steps: stays at From instead of dividing by zero.
        QTest::newRow("no steps") << clTeal << clWhite << 0 << 0 << clTeal;
        QTest::newRow("no steps, step 1") << clTeal << clWhite << 0 << 1 << clTeal;
    }

    void blend()
    {
        QFETCH(TColor, from);
        QFETCH(TColor, to);
        QFETCH(int, steps);
        QFETCH(int, step);
        QFETCH(TColor, expected);
        QCOMPARE(BlendColor(from, to, steps, step).value(), expected.value());
    }
};

QTEST_GUILESS_MAIN(tst_BlendColor)
#include "tst_BlendColor.moc"
