// One live refresh of the instructor's window, in the process: a bench
// changes one student's record and another student registers, then the
// window reads the journal on its worker thread, applies the difference to
// the table sorted by name, the counts and plots, and paints; timed from
// the start of the reading to the end of the paint, and in two parts: to
// the difference applied (the reading, the hop back to the window's thread
// and the apply) and the paint. Also the reading alone, and a sort of the
// whole table by name with its paint.
//
//   perf-journal-refresh [RECORDS...]     (default 10000 100000)
#include "../Median.h"
#include "ClassJournal.h"

#include "instructor/ClassColumns.h"
#include "instructor/JournalFollower.h"
#include "instructor/JournalModel.h"
#include "instructor/JournalSnapshot.h"
#include "instructor/JournalWindow.h"
#include "journal/Journal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rounds = 25;

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// What a bench does: one measurement of one student, written in place.
void measure(const QString& path, int record, int k)
{
    Journal journal(path);
    journal.open();
    journal.file().seek(record);
    journal.file().read(&journal.student());
    journal.file().seek(record);
    journal.student().setDone(k);
    journal.WriteStudent();
    journal.close();
}

void registerStudent(const QString& path, int i)
{
    Journal journal(path);
    journal.open();
    journal.file().seek(journal.file().fileSize());
    journal.student() = classStudent(i);
    journal.student().setNewStudent();
    journal.WriteStudent();
    journal.close();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QStandardPaths::setTestModeEnabled(true);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << std::atoi(argv[i]);
    if (counts.isEmpty())
        counts = { 10000, 100000 };

    std::printf("%9s %12s %14s %16s %14s %12s\n", "records", "reading ms", "refresh ms", "of it: applied", "painted",
                "sort by name ms");
    for (int count : counts) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Students.DAT"));
        writeClassJournal(path, count);

        JournalWindow window;
        window.follower().setWatching(false);
        window.follower().setPollInterval(1000000);
        window.resize(1180, 740);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return 1;
        window.openJournal(path);
        while (window.model().rowCount() < count)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        window.table()->sortByColumn(ClassColumns::Name, Qt::AscendingOrder);
        QCoreApplication::processEvents();

        std::vector<double> reading, refresh, shown, painted;
        bool applied = false;
        QElapsedTimer t;
        QObject::connect(&window.follower(), &JournalFollower::read, [&] {
            applied = true;
            shown.push_back(ms(t));
        });
        for (int round = 0; round < Rounds; ++round) {
            measure(path, (round * 7919) % count, 1 + round % 6);
            registerStudent(path, count + round);

            QElapsedTimer r;
            r.start();
            JournalSnapshot s = JournalSnapshot::read(path, 100, window.model().held());
            reading.push_back(ms(r));

            applied = false;
            t.start();
            window.follower().readNow();
            while (!applied)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            const double before = ms(t);
            window.table()->viewport()->repaint();
            refresh.push_back(ms(t));
            painted.push_back(ms(t) - before);
        }

        std::vector<double> sorts;
        for (int round = 0; round < 5; ++round) {
            QElapsedTimer t;
            t.start();
            window.table()->sortByColumn(ClassColumns::Name, round % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
            window.table()->viewport()->repaint();
            sorts.push_back(ms(t));
        }
        std::printf("%9d %12.2f %14.2f %16.2f %14.2f %12.1f\n", count, median(reading), median(refresh),
                    median(shown), median(painted), median(sorts));
    }
    return 0;
}
