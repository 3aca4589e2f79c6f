#pragma once

#include <QTime>

#include <cstdint>

// The program's draws for the seed of a UTC time of day, worked out apart
// from the program: the seed is the time in milliseconds; each draw steps
// it to seed * 134775813 + 1 mod 2^32 and takes the integer part of
// n * seed / 2^32.
class Draws
{
public:
    explicit Draws(const QTime& utc)
        : Seed(std::uint32_t(((utc.hour() * 60 + utc.minute()) * 60 + utc.second()) * 1000 + utc.msec()))
    {
    }
    int next(int n)
    {
        Seed = Seed * 134775813u + 1u;
        return int((std::uint64_t(n) * Seed) >> 32);
    }

private:
    std::uint32_t Seed;
};
