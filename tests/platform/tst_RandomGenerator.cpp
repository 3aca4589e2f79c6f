// The generator: its clock seeding and the draws of a fixed seed, checked
// against values worked out by hand from seed * 134775813 + 1 mod 2^32 and
// the integer part of n * seed / 2^32.
#include "support/FakeClock.h"
#include "platform/RandomGenerator.h"

#include <QtTest>

class tst_RandomGenerator : public QObject
{
    Q_OBJECT

private slots:
    void seedsFromUniversalTimeOfDay_data()
    {
        QTest::addColumn<QTime>("utc");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("midnight") << QTime(0, 0, 0, 0) << quint32(0);
        QTest::newRow("12:34:56.789") << QTime(12, 34, 56, 789) << quint32(45296789);
        QTest::newRow("last millisecond") << QTime(23, 59, 59, 999) << quint32(86399999);
    }
    void seedsFromUniversalTimeOfDay()
    {
        QFETCH(QTime, utc);
        QFETCH(quint32, seed);
        FakeClock clock;
        clock.Utc = utc;
        clock.Local = QTime(3, 0, 0, 0); // must not be the one used
        RandomGenerator generator;
        generator.setSeed(12345);
        generator.seedFromClock(clock);
        QCOMPARE(generator.seed(), seed);
    }

    void drawsOfAFixedSeed()
    {
        RandomGenerator generator;
        generator.setSeed(45296789);
        const struct { std::int64_t n; quint32 seed; std::int64_t draw; } expected[] = {
            {10, 2099557098u, 4},
            {10, 1162356371u, 2},
            {10, 1524927712u, 3},
            {1288, 102383713u, 30},
            {7, 2998748646u, 4},
            {100, 1961686399u, 45},
            {50, 456017788u, 5},
            // a range beyond 32 bits still gives the exact integer part
            {4294967301LL, 2158187885u, 2158187887LL},
        };
        for (const auto& e : expected) {
            QCOMPARE(generator.draw(e.n), e.draw);
            QCOMPARE(generator.seed(), e.seed);
        }
    }

    void seedWrapsModulo2To32()
    {
        RandomGenerator generator;
        generator.setSeed(0xFFFFFFFFu);
        generator.draw(10);
        QCOMPARE(generator.seed(), 4160191484u);
    }

    void emptyAndSingleRangesDrawZero()
    {
        RandomGenerator generator;
        generator.setSeed(45296789);
        QCOMPARE(generator.draw(0), std::int64_t(0));
        QCOMPARE(generator.seed(), 2099557098u); // the seed steps all the same
        for (int i = 0; i < 100; ++i)
            QCOMPARE(generator.draw(1), std::int64_t(0));
    }
};

QTEST_GUILESS_MAIN(tst_RandomGenerator)
#include "tst_RandomGenerator.moc"
