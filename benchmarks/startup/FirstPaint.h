#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdio>

// Ends the program right after the watched window's first paint, printing
// "painted" so the measuring parent knows the moment.
class FirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !Done) {
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
    bool Done = false;
};
