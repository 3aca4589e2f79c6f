#include "support/FakeClock.h"

void FakeClock::sleep(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    Slept += milliseconds;
    Ticks += milliseconds;
}

void FakeClock::advance(int milliseconds)
{
    Utc = Utc.addMSecs(milliseconds);
    Local = Local.addMSecs(milliseconds);
    Ticks += milliseconds;
}
