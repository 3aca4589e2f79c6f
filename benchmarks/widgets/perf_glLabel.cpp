// A justified paint of a 255-character question in the test page's
// question text (653 x 77, bold italic, 16 pixels). Prints the times;
// asserts nothing.
#include "widgets/glLabel/TglStaticText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans")});

    QString question = QString(
        "Какое из свойств операционного усилителя определяет его способность подавлять "
        "синфазный сигнал, приложенный одновременно к обоим входам, и как этот параметр "
        "измеряется на лабораторном стенде с помощью переключателей S6 и S7 при отключённой "
        "нагрузке и закороченном входе?");
    question = question.left(255);
    while (question.size() < 255)
        question += QStringLiteral(" а");
    question = question.left(255);

    TglStaticText text;
    text.setAutoSize(false);
    text.resize(653, 77);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(16);
    font.setBold(true);
    font.setItalic(true);
    text.setFont(font);
    text.setFontColor(clLime);
    text.setCaption(question);
    QImage target(653, 77, QImage::Format_ARGB32_Premultiplied);

    const int runs = 500;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        target.fill(Qt::transparent);
        QElapsedTimer timer;
        timer.start();
        text.render(&target);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms)
        sum += m;
    std::printf("justified paint of a %d-character question    runs %4d  min %7.3f ms  median %7.3f ms  "
                "mean %7.3f ms  max %7.3f ms\n",
                int(question.size()), runs, ms.front(), ms[ms.size() / 2], sum / double(ms.size()), ms.back());
    return 0;
}
