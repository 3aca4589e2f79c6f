// oplab-journal-shots OUTDIR [LOOKDIR]: the instructor's window on the
// journal of a whole class, at the size of its first start on the screen it
// is shown on, written as the benches write it: 25 students in every state,
// one of them registering and one finishing a measurement while the window
// is open (their rows highlighted). Saves the window to
// OUTDIR/journal-window.png; then a student raises a score and cuts the
// last record off, and the window with its banner naming them goes to
// OUTDIR/journal-banner.png. The journal's history is kept where
// XDG_DATA_HOME says. With LOOKDIR it also leaves there what the
// instructor would hand on, for a look: the CSV, the PDF report, and the
// window on a damaged copy of the journal, and the journal itself.
#include "instructor/JournalBanner.h"
#include "instructor/JournalModel.h"
#include "instructor/JournalWindow.h"
#include "journal/Journal.h"
#include "journal/Registration.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

struct Student
{
    const char16_t* Name;
    int Score;  // -1: not tested yet
    int Done;   // measurements finished, in order
};

const Student Class[] = {
    { u"Абрамов А.С.", 9, 6 },     { u"Белова Е.В.", 8, 4 },     { u"Васильев Д.И.", 5, 0 },
    { u"Гончарова М.А.", 10, 6 },  { u"Дмитриев П.Н.", 7, 2 },   { u"Ершова О.К.", -1, 0 },
    { u"Жуков С.А.", 6, 0 },       { u"Зайцева Т.Н.", 8, 6 },    { u"Ильин В.В.", 7, 1 },
    { u"Карпова Н.С.", 9, 5 },     { u"Лебедев А.М.", 4, 0 },    { u"Медведева Ю.П.", 8, 3 },
    { u"Никитин Р.О.", -1, 0 },    { u"Орлова К.Д.", 10, 6 },    { u"Павлов И.Е.", 7, 0 },
    { u"Романова Л.Г.", 9, 6 },    { u"Соколов М.В.", 3, 0 },    { u"Тихонова А.И.", 8, 2 },
    { u"Уваров Г.Л.", 7, 4 },      { u"Фёдорова Е.С.", 9, 6 },   { u"Хромов Д.А.", 6, 0 },
    { u"Цветкова В.Р.", 8, 5 },    { u"Чернов К.П.", 7, 3 },
};

// One student's run as the bench stores it: registration, the test's
// verdict, the measurements one by one.
void work(const QString& path, const QString& name, const QString& code, int score, int done)
{
    Journal journal(path);
    Registration(name, code, journal).run();
    if (score >= 0) {
        journal.student().setScore(score);
        journal.student().setVerdictPassed();
        journal.WriteStudent();
        if (score < 7) {
            journal.student().setVerdictFailed();
            journal.WriteStudent();
        }
    }
    for (int k = 1; k <= done; ++k) {
        journal.student().setDone(k);
        journal.student().markWorkIfComplete();
        journal.WriteStudent();
    }
    journal.close();
}

bool settle(JournalWindow& w, int rows)
{
    for (int i = 0; i < 200 && w.model().rowCount() < rows; ++i)
        QTest::qWait(25);
    QTest::qWait(150);
    return w.model().rowCount() >= rows;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setOrganizationName(QStringLiteral("oplab"));
    QApplication::setApplicationName(QStringLiteral("oplab-journal-shots"));
    if (argc < 2) {
        QTextStream(stderr) << "usage: oplab-journal-shots OUTDIR [LOOKDIR]" << Qt::endl;
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString lookDir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(outDir);
    QTemporaryDir lab;
    const QString path = QDir(lab.path()).filePath(Journal::DefaultFileName);

    int code = 214001;
    for (const Student& s : Class)
        work(path, QString::fromUtf16(s.Name), QString::number(code++), s.Score, s.Done);

    JournalWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.openJournal(lab.path());
    if (!settle(window, int(std::size(Class))))
        return 1;

    // While the window is open: one more student registers, another
    // finishes a measurement.
    work(path, QStringLiteral("Шестакова Н.В."), QString::number(code++), -1, 0);
    {
        Journal journal(path);
        Registration(QString(), QStringLiteral("214002"), journal).run();
        journal.student().setDone(5);
        journal.WriteStudent();
    }
    window.follower().readNow();
    if (!settle(window, int(std::size(Class)) + 1))
        return 1;
    const QString shot = QDir(outDir).filePath(QStringLiteral("journal-window.png"));
    window.grab().save(shot);
    QTextStream(stdout) << shot << Qt::endl;

    // A student's account raises a failed score (with the Cyrillic е of a
    // hand-typed "зачет") and cuts the last record off.
    {
        QFile f(path);
        f.open(QIODevice::ReadWrite);
        QByteArray bytes = f.readAll();
        const int rec = 73 * 2; // Васильев Д.И., 5 right answers
        bytes.replace(rec + 38, 3, QByteArray("\x01" "9" "\0", 3));
        bytes.replace(rec + 41, 9, QByteArray("\x05\xE7\xE0\xF7\xE5\xF2\0\0\0", 9));
        bytes.chop(50);
        f.resize(0);
        f.seek(0);
        f.write(bytes);
        f.close();
    }
    window.follower().readNow();
    for (int i = 0; i < 200 && window.banner().foreignChanges().isEmpty(); ++i)
        QTest::qWait(25);
    QTest::qWait(150);
    if (window.banner().foreignChanges().isEmpty())
        return 1;
    const QString banner = QDir(outDir).filePath(QStringLiteral("journal-banner.png"));
    window.grab().save(banner);
    QTextStream(stdout) << banner << Qt::endl;

    if (!lookDir.isEmpty()) {
        QDir().mkpath(lookDir);
        const QDir look(lookDir);
        QFile::remove(look.filePath(Journal::DefaultFileName));
        QFile::copy(path, look.filePath(Journal::DefaultFileName));
        window.exportCsv(look.filePath(QStringLiteral("class.csv")), QLatin1Char(';'));
        window.saveReport(look.filePath(QStringLiteral("report.pdf")));
        // The same class with a damaged tail: a cut record and a record
        // whose code does not convert.
        QFile f(path);
        f.open(QIODevice::Append);
        QByteArray bad(73, '\0');
        bad[0] = 4;
        bad.replace(1, 4, QByteArray("\xCA\xEE\xF2\xEE", 4));
        bad[31] = 3;
        bad.replace(32, 3, "12a");
        f.write(bad + QByteArray(40, '\x20'));
        f.close();
        window.follower().readNow();
        settle(window, int(std::size(Class)) + 2);
        window.grab().save(look.filePath(QStringLiteral("damaged.png")));
    }
    return 0;
}
