#pragma once

#include <QAccessibleWidget>

class TdxfTimer;

// What a screen reader is told of a countdown clock: a label named by the
// window ("Осталось секунд" on the test), whose value and description are
// the face text, the time counted or remaining as the face shows it. Its
// ticks raise no notice: the reader asks when the student wants to know.
class TimerAccessible : public QAccessibleWidget
{
public:
    explicit TimerAccessible(TdxfTimer* timer);

    // Makes the interface the one of every countdown clock; called when
    // one is made.
    static void install();

    QString text(QAccessible::Text t) const override;
};
