#pragma once

#include <cstdint>
#include <random>
#include <span>

class TimeOfDay;

// Uniform values in [0, 1), single precision, from a generator that is
// reseeded before each shuffle.
class UnitRandom
{
public:
    virtual ~UnitRandom() = default;
    virtual void seed(float secondsSinceMidnight) = 0;
    virtual float next() = 0;
};

class MersenneUnitRandom final : public UnitRandom
{
public:
    void seed(float secondsSinceMidnight) override;
    float next() override;

private:
    std::mt19937 m_engine;
};

// The draw of one partner: j = (last - first) * r + first, rounded to the
// nearest integer with exact halves going to the even neighbour. Computed in
// single precision. Never outside first..last.
std::int16_t drawPartner(std::int16_t first, std::int16_t last, float r);

// The board's shuffle: reseeds the generator from the time of day, then
// swaps every a(i), i ascending, with a partner drawn from the whole range
// first..last, and stores a(first..last) into target[first..last]. Always
// a permutation of first..last, though not a uniform one: partners are drawn
// from the whole range, not from i..last.
void shuffleRange(std::int16_t first, std::int16_t last, std::span<std::int16_t> target,
                  UnitRandom &random, TimeOfDay &clock);
