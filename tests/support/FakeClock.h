#pragma once

#include "platform/Clock.h"

// A clock the test sets by hand. Sleeping advances the tick count only.
class FakeClock : public Clock
{
public:
    QTime utcTimeOfDay() const override { return Utc; }
    QTime localTimeOfDay() const override { return Local; }
    std::int64_t tickCount() const override { return Ticks; }
    void sleep(int milliseconds) override;

    // Moves both times of day (and the tick count) forward.
    void advance(int milliseconds);

    QTime Utc {12, 0, 0, 0};
    QTime Local {12, 0, 0, 0};
    std::int64_t Ticks = 0;
    std::int64_t Slept = 0;
};
