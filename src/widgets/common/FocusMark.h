#pragma once

#include <QObject>

class QPainter;
class QRect;
class QWidget;

// The keyboard focus mark of the custom controls: a dotted frame drawn by
// inverting every other pixel along a rectangle. A control shows it only
// while it has the focus and the student's last press was a key, so a
// student at the keyboard sees where the keys go, and after a mouse click
// every pixel of the window stays as it always was.
//
// Which came last, a key or a mouse button, is watched on the whole
// application; when it changes, the control with the focus repaints.
class FocusMark : public QObject
{
    Q_OBJECT

public:
    // Starts the watch once for the program; every control that shows the
    // mark calls it when it is made.
    static void watch();
    // The student's last press was a key, not a mouse button (false until
    // the first press of either).
    static bool fromKeyboard();
    // The control has the focus and the last press was a key.
    static bool shown(const QWidget* control);
    // The dotted frame along the edge of the rectangle (its right and
    // bottom edges inside), every other pixel inverted.
    static void paint(QPainter& painter, const QRect& rect);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FocusMark() = default;
    void setFromKeyboard(bool value);

    bool FFromKeyboard = false;
};
