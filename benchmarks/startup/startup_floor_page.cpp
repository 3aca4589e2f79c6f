// A second floor: the least program that shows what the intro page shows,
// a window of the same size with the intro picture (a JPEG decoded at run
// time) and one button caption. It pays what any such page pays: the
// font configuration of the machine and the picture's decoding.
#include "FirstPaint.h"

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QWidget>

namespace {

class Page : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        if (Picture.isNull())
            Picture = QImageReader(QStringLiteral(":/pictures/intro.jpg")).read();
        QPainter(this).drawImage(0, 0, Picture);
    }

private:
    QImage Picture;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    Page window;
    window.resize(733, 562);
    auto* next = new QPushButton(QStringLiteral("Далее..."), &window);
    next->setGeometry(622, 514, 99, 40);
    next->installEventFilter(new FirstPaint(&window));
    window.show();
    return app.exec();
}
