#include "board/shuffle.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <cstdint>

#include "support/fakes.h"

class TestShuffle : public QObject
{
    Q_OBJECT
private slots:
    void drawRounding_data();
    void drawRounding();
    void workedExample();
    void alwaysAPermutation();
    void reseedsFromTheClockEachTime();
};

void TestShuffle::drawRounding_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("expected");

    // x = (last - first) * r + first; exact halves go to the even neighbour.
    QTest::newRow("13.5 to 14") << 0 << 27 << 0.5f << 14;
    QTest::newRow("12.5 to 12") << 0 << 25 << 0.5f << 12;
    QTest::newRow("0.5 to 0") << 0 << 1 << 0.5f << 0;
    QTest::newRow("1.5 to 2") << 0 << 3 << 0.5f << 2;
    QTest::newRow("below half") << 0 << 27 << 0.018f << 0;
    QTest::newRow("above half") << 0 << 27 << 0.019f << 1;
    QTest::newRow("zero") << 0 << 27 << 0.0f << 0;
    QTest::newRow("largest r") << 0 << 27 << 0.99999994f << 27;
    QTest::newRow("offset range") << 10 << 20 << 0.25f << 12; // 12.5
    QTest::newRow("offset range odd") << 10 << 20 << 0.35f << 14; // 13.5
    QTest::newRow("one element") << 5 << 5 << 0.7f << 5;
    // A generator that strays never reaches outside the list.
    QTest::newRow("r of 1") << 0 << 27 << 1.0f << 27;
    QTest::newRow("r above 1") << 0 << 27 << 3.0f << 27;
    QTest::newRow("negative r") << 0 << 27 << -0.5f << 0;
}

void TestShuffle::drawRounding()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(float, r);
    QFETCH(int, expected);
    QCOMPARE(int(drawPartner(std::int16_t(first), std::int16_t(last), r)), expected);
}

void TestShuffle::workedExample()
{
    // first 0, last 3, draws x = 3r:
    //   i=0, r=0.5  -> x=1.5 -> j=2: swap a0,a2 -> 2 1 0 3
    //   i=1, r=0.0  -> j=0:           swap a1,a0 -> 1 2 0 3
    //   i=2, r=0.9  -> x=2.7 -> j=3:  swap a2,a3 -> 1 2 3 0
    //   i=3, r=0.25 -> x=0.75 -> j=1: swap a3,a1 -> 1 0 3 2
    ScriptedRandom random;
    random.values = {0.5f, 0.0f, 0.9f, 0.25f};
    FixedTimeOfDay clock;
    std::array<std::int16_t, 29> target{};
    target[4] = 77;
    shuffleRange(0, 3, target, random, clock);
    QCOMPARE(target[0], 1);
    QCOMPARE(target[1], 0);
    QCOMPARE(target[2], 3);
    QCOMPARE(target[3], 2);
    QCOMPARE(target[4], 77); // outside first..last nothing changes
}

void TestShuffle::alwaysAPermutation()
{
    MersenneUnitRandom random;
    FixedTimeOfDay clock;
    for (int seed = 0; seed < 2000; ++seed) {
        clock.seconds = float(seed) * 43.2f;
        std::array<std::int16_t, 29> target{};
        shuffleRange(0, 27, target, random, clock);
        std::array<std::int16_t, 28> sorted{};
        std::copy_n(target.begin(), 28, sorted.begin());
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < 28; ++i)
            QVERIFY2(sorted[i] == i, qPrintable(QStringLiteral("seed %1").arg(seed)));
        QCOMPARE(target[28], 0);
    }
}

void TestShuffle::reseedsFromTheClockEachTime()
{
    ScriptedRandom random;
    random.values = {0.3f};
    FixedTimeOfDay clock;
    std::array<std::int16_t, 29> target{};
    clock.seconds = 100.25f;
    shuffleRange(0, 27, target, random, clock);
    clock.seconds = 200.5f;
    shuffleRange(0, 27, target, random, clock);
    QCOMPARE(random.seeds, (QList<float>{100.25f, 200.5f}));

    // The real generator gives the same order for the same time of day.
    MersenneUnitRandom real;
    std::array<std::int16_t, 29> a{}, b{};
    shuffleRange(0, 27, a, real, clock);
    shuffleRange(0, 27, b, real, clock);
    QCOMPARE(a, b);
}

QTEST_GUILESS_MAIN(TestShuffle)
#include "tst_shuffle.moc"
