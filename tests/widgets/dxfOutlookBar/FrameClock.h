#pragma once

#include "platform/Clock.h"

#include <functional>
#include <vector>

// A clock for paced animations: every reading of the tick count costs
// ReadCost milliseconds (two readings per frame: the work of a frame), and
// a sleep only advances the count and is recorded, so nothing waits.
class FrameClock : public Clock
{
public:
    QTime utcTimeOfDay() const override { return QTime(12, 0); }
    QTime localTimeOfDay() const override { return QTime(12, 0); }
    std::int64_t tickCount() const override
    {
        ++Reads;
        Now += ReadCost;
        return Now;
    }
    void sleep(int milliseconds) override
    {
        Sleeps.push_back(milliseconds);
        Now += milliseconds;
        if (OnSleep)
            OnSleep(int(Sleeps.size()) - 1);
    }

    int ReadCost = 0;
    mutable int Reads = 0;
    mutable std::int64_t Now = 0;
    std::vector<int> Sleeps;
    // Called in each sleep with the number of the frame on screen.
    std::function<void(int)> OnSleep;
};
