#include "shuffle.h"

#include "platform/timeofday.h"

#include <bit>
#include <cassert>
#include <cmath>
#include <utility>
#include <vector>

void MersenneUnitRandom::seed(float secondsSinceMidnight)
{
    m_engine.seed(std::bit_cast<std::uint32_t>(secondsSinceMidnight));
}

float MersenneUnitRandom::next()
{
    // 24 random bits make every float of [0, 1) with step 2^-24; never 1.
    return float(m_engine() >> 8) * 0x1p-24f;
}

std::int16_t drawPartner(std::int16_t first, std::int16_t last, float r)
{
    const float x = float(last - first) * r + float(first);
    // nearbyint rounds to the current mode, which is round-half-to-even.
    const float j = std::nearbyint(x);
    // A generator straying outside [0, 1) must not reach outside the list.
    if (!(j >= float(first)))
        return first;
    if (j > float(last))
        return last;
    return static_cast<std::int16_t>(j);
}

void shuffleRange(std::int16_t first, std::int16_t last, std::span<std::int16_t> target,
                  UnitRandom &random, TimeOfDay &clock)
{
    assert(first <= last && std::size_t(last) < target.size());
    std::vector<std::int16_t> a(std::size_t(last - first + 1));
    for (int i = first; i <= last; ++i)
        a[std::size_t(i - first)] = std::int16_t(i);

    random.seed(clock.secondsSinceMidnight());
    for (int i = first; i <= last; ++i) {
        const std::int16_t j = drawPartner(first, last, random.next());
        std::swap(a[std::size_t(i - first)], a[std::size_t(j - first)]);
    }
    for (int i = first; i <= last; ++i)
        target[std::size_t(i)] = a[std::size_t(i - first)];
}
