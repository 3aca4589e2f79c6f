#include "platform/RandomGenerator.h"

#include "platform/Clock.h"

#include <QTime>

void RandomGenerator::seedFromClock(const Clock& clock)
{
    const QTime t = clock.utcTimeOfDay();
    Seed = static_cast<std::uint32_t>(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec());
}

std::int64_t RandomGenerator::draw(std::int64_t n)
{
    Seed = Seed * 134775813u + 1u; // unsigned arithmetic wraps modulo 2^32
    if (n <= 0)
        return 0;
    // n * seed / 2^32 without a 96-bit product: with n = high * 2^32 + low,
    // the quotient is high * seed plus the integer part of low * seed / 2^32.
    const auto un = static_cast<std::uint64_t>(n);
    const std::uint64_t high = un >> 32;
    const std::uint64_t low = un & 0xFFFFFFFFu;
    return static_cast<std::int64_t>(high * Seed + ((low * Seed) >> 32));
}
