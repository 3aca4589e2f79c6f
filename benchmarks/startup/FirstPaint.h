#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdio>
#include <functional>

// Ends the program right after the watched window's first paint (the first
// one once `ready` holds, when given), printing "painted" so the measuring
// parent knows the moment.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QObject* parent, std::function<bool()> ready = {})
        : QObject(parent)
        , Ready(std::move(ready))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !Done && (!Ready || Ready())) {
            Done = true;
            QMetaObject::invokeMethod(qApp, [] {
                std::puts("painted");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> Ready;
    bool Done = false;
};
