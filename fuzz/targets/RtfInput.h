#pragma once

#include <QByteArray>

// Methodological instructions "1.rtf" as they may arrive from outside,
// read into a text document as the instructions view reads them, and laid
// out as the view shows them. Needs a GUI application object (offscreen
// serves) for the fonts of the layout.
class RtfInput
{
public:
    static void run(const QByteArray& data);
};
