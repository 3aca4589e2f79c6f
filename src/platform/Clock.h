#pragma once

#include <QTime>

#include <cstdint>

// The time services of the program: the time of day (universal time for
// seeding the generator, local time for the countdown), a millisecond tick
// count and a sleep for paced animations. Tests drive a fake one.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual QTime utcTimeOfDay() const = 0;
    virtual QTime localTimeOfDay() const = 0;
    // Milliseconds from an arbitrary start, never going back.
    virtual std::int64_t tickCount() const = 0;
    virtual void sleep(int milliseconds) = 0;

    // The wall clock of the machine; shared, never destroyed.
    static Clock& system();
};
