#pragma once

#include "platform/Clock.h"

#include <QElapsedTimer>

// The machine's own clock.
class SystemClock : public Clock
{
public:
    SystemClock();

    QTime utcTimeOfDay() const override;
    QTime localTimeOfDay() const override;
    std::int64_t tickCount() const override;
    void sleep(int milliseconds) override;

private:
    QElapsedTimer Started;
};
