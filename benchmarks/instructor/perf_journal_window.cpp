// The instructor's window on journals of 10^3, 10^4 and 10^5 students:
// time from the start of the process to the first painted class table
// beside "oplab-data journal list --csv" of the same file, run alternately
// in one session, and the peak memory of the window beside the bare Qt
// window floor of the start-up measurement.
//
//   perf-journal-window [RUNS]        (default 7; platform from QT_QPA_PLATFORM)
#include "../Median.h"
#include "../startup/ProcessRun.h"
#include "ClassJournal.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QTemporaryDir dir;
    // The window keeps its settings beside the measurement, not the user's.
    ::setenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit().constData(), 1);

    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("oplab-journal: start to first painted table, %d runs each, platform %s\n", runs,
                platform ? platform : "(default)");
    std::printf("%9s %12s %12s %8s %14s %14s\n", "records", "window ms", "list ms", "ratio", "window KiB",
                "list KiB");

    std::vector<double> floorTimes;
    long floorPeak = 0;
    long sizedFloorPeak = 0;
    long windowPeak = 0;
    for (int count : { 1000, 10000, 100000 }) {
        const QString path = dir.filePath(QStringLiteral("Students-%1.DAT").arg(count));
        if (!writeClassJournal(path, count))
            return 2;
        const std::string journal = path.toStdString();
        const std::vector<std::string> window { WINDOW_PROGRAM, journal };
        const std::vector<std::string> list { DATA_TOOL, "journal", "list", journal, "--csv" };
        ProcessRun::run(window); // warm the file cache
        ProcessRun::run(list, ProcessRun::Exit);
        std::vector<double> w, l;
        long wPeak = 0, lPeak = 0;
        for (int i = 0; i < runs; ++i) {
            const ProcessRun a = ProcessRun::run(window);
            const ProcessRun b = ProcessRun::run(list, ProcessRun::Exit);
            const ProcessRun f = ProcessRun::run({ FLOOR_PROGRAM });
            // The floor at the size this window opens at.
            const ProcessRun g = ProcessRun::run({ FLOOR_PROGRAM, "1180", "740" });
            sizedFloorPeak = std::max(sizedFloorPeak, g.PeakKiB);
            w.push_back(a.Millis);
            l.push_back(b.Millis);
            floorTimes.push_back(f.Millis);
            wPeak = std::max(wPeak, a.PeakKiB);
            lPeak = std::max(lPeak, b.PeakKiB);
            floorPeak = std::max(floorPeak, f.PeakKiB);
        }
        windowPeak = wPeak;
        std::printf("%9d %12.1f %12.1f %8.2f %14ld %14ld\n", count, median(w), median(l), median(w) / median(l),
                    wPeak, lPeak);
    }
    std::printf("bare Qt window floor (733 x 562): %.1f ms, peak %ld KiB; window at 10^5 / floor: %.2f\n",
                median(floorTimes), floorPeak, double(windowPeak) / double(floorPeak));
    std::printf("the floor at the window's size (1180 x 740): peak %ld KiB; window at 10^5 / it: %.2f\n",
                sizedFloorPeak, double(windowPeak) / double(sizedFloorPeak));
    return 0;
}
