// Rendering the two faces of the "Регистрация" colour button (203 x 63,
// clAqua), which happens on every change of size, colour or font, and a
// paint of the button from its cached faces. Prints the times; asserts
// nothing.
#include "widgets/dxfColorButton/ColorButtonFace.h"
#include "widgets/dxfColorButton/TdxfColorButton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms)
        sum += m;
    std::printf("%-44s runs %4zu  min %7.3f ms  median %7.3f ms  mean %7.3f ms  max %7.3f ms\n", what,
                ms.size(), ms.front(), ms[ms.size() / 2], sum / double(ms.size()), ms.back());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = 200;

    std::vector<double> faces;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage up = ColorButtonFace::render(QSize(203, 63), clAqua, false);
        const QImage down = ColorButtonFace::render(QSize(203, 63), clAqua, true);
        faces.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (up.isNull() || down.isNull())
            return 1;
    }
    report("both faces of 203 x 63", faces);

    TdxfColorButton button;
    button.resize(203, 63);
    QFont font = button.font();
    font.setPixelSize(19);
    font.setItalic(true);
    button.setFont(font);
    button.setColor(clAqua);
    button.setCaption(QString("Регистрация"));
    QImage target(203, 63, QImage::Format_ARGB32_Premultiplied);

    std::vector<double> firstPaint;
    std::vector<double> cachedPaint;
    for (int i = 0; i < runs; ++i) {
        button.setColor(i % 2 ? clAqua : clWhite); // drops the faces
        QElapsedTimer timer;
        timer.start();
        button.render(&target);
        firstPaint.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        button.render(&target);
        cachedPaint.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    report("paint after a colour change (faces + text)", firstPaint);
    report("paint from the cached faces", cachedPaint);
    return 0;
}
