#pragma once

#include <cstdint>

class Clock;

// The program's one pseudo-random generator, shared by the test draw and
// the bench: a 32-bit linear congruential generator. Each draw steps the
// seed to seed * 134775813 + 1 modulo 2^32 and yields the integer part of
// n * seed / 2^32, a whole number from 0 to n - 1 (0 when n is 0). The main
// window owns the one instance and hands it to the test run and the bench.
class RandomGenerator
{
public:
    // Seeds from the universal time of day in milliseconds:
    // ((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds.
    void seedFromClock(const Clock& clock);

    void setSeed(std::uint32_t seed) { Seed = seed; }
    std::uint32_t seed() const { return Seed; }

    // Steps the seed and draws a whole number below n (n >= 0).
    std::int64_t draw(std::int64_t n);

private:
    std::uint32_t Seed = 0;
};
