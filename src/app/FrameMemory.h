#pragma once

#include <QSize>

class QSettings;
class QWidget;

// The frame of the student's window as the student left it: its size, and
// whether it was maximised, kept in the account's settings of the program
// ("Window/Size", "Window/Maximized") and given back at the next start. A
// size below the stored client area, or none, leaves the stored size.
class FrameMemory
{
public:
    // Shows the window at the size kept in settings.
    static void show(QWidget& window, QSettings& settings);
    // Keeps the window's size (its size before it was maximised, if it is).
    static void save(const QWidget& window, QSettings& settings);
};
