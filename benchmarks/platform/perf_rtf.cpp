// Reads rich-text documents of about 1 MB, each of one shape (formatted
// Cyrillic text, \uN text, tables, pictures, deep nesting, the lab's own
// instructions repeated), and prints the median time of several reads.
#include "platform/rtf/RtfReader.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTextDocument>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr qsizetype Size = 1000 * 1000;

QByteArray header()
{
    return "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}"
           "{\\f1\\froman\\fcharset204 Times New Roman;}}"
           "{\\colortbl;\\red0\\green0\\blue128;\\red128\\green0\\blue0;}\n";
}

// Cyrillic words as \'hh escapes, formatting changing every few words.
QByteArray formattedText()
{
    QRandomGenerator random(1);
    const QList<QByteArray> words = {"\\'cd\\'e0\\'ef\\'f0\\'ff\\'e6\\'e5\\'ed\\'e8\\'e5",
                                     "\\'f3\\'f1\\'e8\\'eb\\'e8\\'f2\\'e5\\'eb\\'fc",
                                     "\\'f2\\'ee\\'ea", "{\\b \\'c2\\'fb\\'ea\\'eb.}", "{\\i R5}",
                                     "{\\cf2 \\'c8\\'e7\\'ec\\'e5\\'f0\\'e5\\'ed\\'e8\\'e5}", "\\fs28 \\'c0\\fs20"};
    QByteArray rtf = header();
    while (rtf.size() < Size) {
        rtf += "\\pard\\qj\\fi284\\sa80\\plain\\f0\\fs20 ";
        for (int i = 0; i < 60; ++i)
            rtf += words[random.bounded(words.size())] + ' ';
        rtf += "\\par\n";
    }
    return rtf + "}";
}

QByteArray unicodeText()
{
    QByteArray rtf = header();
    while (rtf.size() < Size) {
        for (int i = 0; i < 80; ++i)
            rtf += "\\u" + QByteArray::number(0x0410 + i % 64) + "?";
        rtf += " \\par\n";
    }
    return rtf + "}";
}

QByteArray tables()
{
    QByteArray rtf = header();
    int row = 0;
    while (rtf.size() < Size)
        rtf += "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl \\'d1" + QByteArray::number(row++)
            + "\\cell {\\b 7,5}\\cell 0,75\\cell\\row\n";
    return rtf + "\\pard}";
}

QByteArray pictures()
{
    QImage image(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray rtf = header();
    while (rtf.size() < Size)
        rtf += "\\'d1\\'f5\\'e5\\'ec\\'e0 {\\pict\\pngblip\\picwgoal4800\\pichgoal3600 " + png.toHex() + "}\\par\n";
    return rtf + "}";
}

QByteArray nesting()
{
    return "{\\rtf1 " + QByteArray(Size / 2, '{') + "x" + QByteArray(Size / 2, '}') + "}";
}

QByteArray labInstructions()
{
    QFile file(QStringLiteral(LAB_RTF));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray one = file.readAll();
    // The body of the file, repeated inside one document.
    const qsizetype start = one.indexOf("\\pard");
    const qsizetype end = one.lastIndexOf('}');
    if (start < 0 || end <= start)
        return one;
    const QByteArray body = one.mid(start, end - start);
    QByteArray rtf = one.left(start);
    while (rtf.size() < Size)
        rtf += body;
    return rtf + "}";
}

double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Median wall-clock and processor times of several reads, in milliseconds.
// On a busy machine the processor time is the steadier figure.
std::pair<double, double> medianMs(const QByteArray& rtf, int runs)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        QTextDocument doc;
        QElapsedTimer timer;
        const double cpuStart = cpuMs();
        timer.start();
        RtfReader::read(rtf, doc);
        wall.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(cpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const struct {
        const char* name;
        QByteArray rtf;
    } shapes[] = {
        {"formatted 1251 text", formattedText()},
        {"\\uN text", unicodeText()},
        {"table rows", tables()},
        {"PNG pictures", pictures()},
        {"nested groups", nesting()},
        {"lab instructions", labInstructions()},
    };
    std::printf("%-22s %10s %10s %10s %10s\n", "shape", "bytes", "wall ms", "cpu ms", "MB/s cpu");
    for (const auto& shape : shapes) {
        const auto [wall, cpu] = medianMs(shape.rtf, 5);
        std::printf("%-22s %10lld %10.1f %10.1f %10.1f\n", shape.name, static_cast<long long>(shape.rtf.size()), wall,
                    cpu, shape.rtf.size() / 1e6 / (cpu / 1000));
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %ld MB\n", usage.ru_maxrss / 1024);
    return 0;
}
