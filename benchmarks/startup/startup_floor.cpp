// The floor: the least Qt Widgets program that opens a window of the bench
// window's size (or of the size given: startup-floor [WIDTH HEIGHT]),
// ending after its first paint.
#include "FirstPaint.h"

#include <QApplication>
#include <QStyleFactory>
#include <QWidget>

#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QWidget window;
    window.resize(argc > 2 ? std::atoi(argv[1]) : 733, argc > 2 ? std::atoi(argv[2]) : 562);
    window.installEventFilter(new FirstPaint(&window));
    window.show();
    return app.exec();
}
