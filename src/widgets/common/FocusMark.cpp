#include "widgets/common/FocusMark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

FocusMark* Watch = nullptr;

} // namespace

void FocusMark::watch()
{
    if (Watch || !qApp)
        return;
    Watch = new FocusMark;
    // Gone with the application, whose input it watches.
    Watch->setParent(qApp);
    qApp->installEventFilter(Watch);
}

bool FocusMark::fromKeyboard()
{
    return Watch && Watch->FFromKeyboard;
}

bool FocusMark::shown(const QWidget* control)
{
    return control->hasFocus() && fromKeyboard();
}

void FocusMark::setFromKeyboard(bool value)
{
    if (value == FFromKeyboard)
        return;
    FFromKeyboard = value;
    // The control that has the focus shows or hides its mark at once.
    if (QWidget* focused = QApplication::focusWidget())
        focused->update();
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event)
{
    // Every event of the program passes here: only presses count, and
    // only the first one the application hands on (its widget receives
    // the same event again on the way up to the window).
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        if (watched->isWidgetType())
            setFromKeyboard(true);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched->isWidgetType())
            setFromKeyboard(false);
        break;
    default:
        break;
    }
    return false;
}

void FocusMark::paint(QPainter& painter, const QRect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::NoPen);
    const QColor white(Qt::white);
    auto dot = [&](int x, int y) {
        if ((x - rect.left() + y - rect.top()) % 2 == 0)
            painter.fillRect(x, y, 1, 1, white);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.bottom() != rect.top())
            dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.right() != rect.left())
            dot(rect.right(), y);
    }
    painter.restore();
}
