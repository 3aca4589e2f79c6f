// The lookup of registration on long journals, beside a plain sequential
// read of the same file in the same run.
//
//   perf-journal-find [RECORDS...]     default 1000 10000 100000 1000000
//
// Each journal holds the codes 0 to N-1 (six characters at most), so the
// code looked up, N-1, is the last record. Times are the best of several runs with the file in the
// page cache; "tool" is the whole `oplab-data journal find` program.
#include "journal/Journal.h"
#include "journal/JournalLock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray journalBytes(int count)
{
    QByteArray bytes(qsizetype(count) * 73, '\0');
    for (int i = 0; i < count; ++i) {
        StudentRecord r {};
        r.FIO.set(QStringLiteral("Студент %1").arg(i + 1));
        r.Shifr.set(QString::number(i));
        r.setNewStudent();
        std::memcpy(bytes.data() + qsizetype(i) * 73, &r, 73);
    }
    return bytes;
}

template <class F>
double bestMs(int runs, F&& f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

std::int64_t plainRead(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        qFatal("cannot open %s", path.constData());
    std::vector<char> buffer(128 * 1024);
    std::int64_t total = 0;
    ssize_t n;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0)
        total += n;
    ::close(fd);
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (const QString& a : app.arguments().mid(1))
        sizes << a.toInt();
    if (sizes.isEmpty())
        sizes = { 1000, 10000, 100000, 1000000 };

    QTemporaryDir dir;
    std::printf("%9s %12s %14s %8s %12s\n", "records", "read, ms", "lookup, ms", "ratio", "tool, ms");
    for (const int n : sizes) {
        if (n < 1 || n > 1000000)
            qFatal("1 to 1000000 records: the codes have six characters");
        const QString path = dir.filePath(QStringLiteral("Students.DAT"));
        {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(journalBytes(n)) != qint64(n) * 73)
                qFatal("cannot write the journal");
        }
        const QByteArray native = QFile::encodeName(path);
        const int runs = n >= 1000000 ? 15 : 50;
        plainRead(native); // into the page cache

        const double read = bestMs(runs, [&] {
            if (plainRead(native) != std::int64_t(n) * 73)
                qFatal("short read");
        });
        // As registration does it: open for writing, lock, look up.
        const double lookup = bestMs(runs, [&] {
            Journal journal(path);
            journal.open();
            JournalLock lock(journal);
            if (!journal.findCode(n - 1) || journal.file().filePos() != n - 1)
                qFatal("not found");
            lock.release();
            journal.close();
        });
        const double tool = bestMs(5, [&] {
            QProcess p;
            p.start(QStringLiteral(OPLAB_DATA_TOOL),
                    { QStringLiteral("journal"), QStringLiteral("find"), path, QString::number(n - 1) });
            if (!p.waitForFinished(60000) || p.exitCode() != 0)
                qFatal("oplab-data journal find failed");
        });
        std::printf("%9d %12.3f %14.3f %8.2f %12.1f\n", n, read, lookup, lookup / read, tool);
        std::fflush(stdout);
    }
    return 0;
}
