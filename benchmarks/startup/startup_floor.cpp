// The floor: the least Qt Widgets program that opens a window of the bench
// window's size, ending after its first paint.
#include "FirstPaint.h"

#include <QApplication>
#include <QStyleFactory>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QWidget window;
    window.resize(733, 562);
    window.installEventFilter(new FirstPaint(&window));
    window.show();
    return app.exec();
}
