#pragma once

namespace Ui {
class TForm1;
}

// What a screen reader calls the window's controls where their own text
// does not say it: the pages and the registration fields after what their
// pictures say, the switches by their number (their captions become their
// descriptions), the power button, the sliders and the voltmeters after
// their captions on the bench, the answer boxes after their answers.
class AccessibleNames
{
public:
    static void apply(Ui::TForm1& ui);
};
