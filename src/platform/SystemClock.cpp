#include "platform/SystemClock.h"

#include <QDateTime>
#include <QThread>

SystemClock::SystemClock()
{
    Started.start();
}

QTime SystemClock::utcTimeOfDay() const
{
    return QDateTime::currentDateTimeUtc().time();
}

QTime SystemClock::localTimeOfDay() const
{
    return QTime::currentTime();
}

std::int64_t SystemClock::tickCount() const
{
    return Started.elapsed();
}

void SystemClock::sleep(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

Clock& Clock::system()
{
    static SystemClock clock;
    return clock;
}
