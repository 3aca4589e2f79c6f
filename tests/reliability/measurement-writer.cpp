// measurement-writer JOURNAL [--pause-ms N] [--from K] CODE...
//
// Finishes bench measurements as the bench does, for the students of the
// codes given, one after another: registration finds the student's record
// (it must be there), then each measurement from K (default 1) to 6 sets
// its flag, marks the work when all six are done and stores the working
// record with WriteStudent. After each completed write it prints
// "done CODE K" and flushes, so a program that kills it knows which
// writes had completed. Exit status 0 done, 2 an error.
#include "platform/Exception.h"
#include "journal/Journal.h"
#include "journal/Registration.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    // Beyond a file-size limit a write fails as "Disk full", as in the bench.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: measurement-writer JOURNAL [--pause-ms N] [--from K] CODE...\n");
        return 2;
    }
    const QString path = args.takeFirst();
    int pauseMs = 0;
    int from = 1;
    while (args.size() >= 2 && args.front().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        const int value = args.takeFirst().toInt();
        if (option == QLatin1String("--pause-ms"))
            pauseMs = value;
        else if (option == QLatin1String("--from"))
            from = qBound(1, value, 6);
    }

    Journal journal(path);
    try {
        for (const QString& code : args) {
            if (Registration(QString(), code, journal).run() != Registration::Found) {
                std::fprintf(stderr, "measurement-writer: code %s was not registered\n", qPrintable(code));
                return 2;
            }
            for (int k = from; k <= 6; ++k) {
                journal.student().setDone(k);
                journal.student().markWorkIfComplete();
                journal.WriteStudent();
                std::printf("done %s %d\n", qPrintable(code), k);
                std::fflush(stdout);
                if (pauseMs > 0)
                    QThread::msleep(pauseMs);
            }
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "measurement-writer: %s\n", e.what());
        return 2;
    }
    return 0;
}
