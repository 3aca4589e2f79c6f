// The instructor's window on a screen of 1024 x 768 (the offscreen screen
// configured so): its first start fits the available area with every axis
// label of the plots whole, also once the banner shows; a later start
// restores the size the instructor left.
#include "support/JournalFixture.h"

#include "instructor/JournalBanner.h"
#include "instructor/JournalWindow.h"
#include "journal/JournalHistory.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtCharts/QChartView>
#include <QtTest>

using namespace fixture;

namespace {

// The texts of the plots that the chart had to cut short ("..."): none
// when every label is readable.
QStringList cutLabels(const JournalWindow& w)
{
    QStringList cut;
    for (const QChartView* view : w.findChildren<QChartView*>()) {
        for (const QGraphicsItem* item : view->scene()->items()) {
            if (!item->isVisible())
                continue;
            QString text;
            if (const auto* t = dynamic_cast<const QGraphicsTextItem*>(item))
                text = t->toPlainText();
            else if (const auto* s = dynamic_cast<const QGraphicsSimpleTextItem*>(item))
                text = s->text();
            if (text.endsWith(QLatin1String("...")) || text.endsWith(QChar(0x2026)))
                cut << text;
        }
    }
    return cut;
}

QByteArray classOf(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += record(QStringLiteral("Студентова %1").arg(i), QByteArray::number(100 + i), QByteArray::number(i % 11),
                        i % 11 < 7 ? StudentRecord::VerdictFailed : StudentRecord::VerdictPassed,
                        QByteArray(6, '+').left(i % 7) + QByteArray(6, '-').left(6 - i % 7));
    return bytes;
}

} // namespace

class tst_JournalWindowSize : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstStartFitsTheScreenWithReadablePlots();
    void laterStartsRestoreTheSizeLeft();

private:
    QTemporaryDir Dir;
};

void tst_JournalWindowSize::initTestCase()
{
    QVERIFY(Dir.isValid());
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("oplab"));
    QCoreApplication::setApplicationName(QStringLiteral("oplab-journal-size-test"));
    QSettings().clear();
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1024, 768));
}

void tst_JournalWindowSize::firstStartFitsTheScreenWithReadablePlots()
{
    const QString path = Dir.filePath(QStringLiteral("Students.DAT"));
    writeFile(path, classOf(40));
    JournalWindow w;
    w.follower().setHistoryRoot(Dir.filePath(QStringLiteral("history")));
    w.follower().setPollInterval(200);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.openJournal(path);
    QTRY_COMPARE(w.model().rowCount(), 40);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(area.contains(w.frameGeometry()), qPrintable(QStringLiteral("%1x%2").arg(w.width()).arg(w.height())));
    // The room is used, less a frame's allowance.
    QVERIFY(w.width() >= area.width() - 40 && w.height() >= area.height() - 60);
    QTRY_COMPARE(cutLabels(w), QStringList());

    // The banner takes its room from the table, never from the plots or
    // beyond the screen.
    writeFile(path, classOf(38) + QByteArray(20, 'x'));
    QTRY_VERIFY(w.banner().isVisible());
    QTRY_VERIFY(!w.banner().foreignChanges().isEmpty());
    QTest::qWait(100);
    QVERIFY(area.contains(w.frameGeometry()));
    QCOMPARE(cutLabels(w), QStringList());

    // Squeezed by hand, the plots do cut their labels: the look above sees them.
    w.resize(560, w.height());
    QTRY_VERIFY(!cutLabels(w).isEmpty());
}

void tst_JournalWindowSize::laterStartsRestoreTheSizeLeft()
{
    {
        JournalWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(900, 700);
        QTRY_COMPARE(w.size(), QSize(900, 700));
    } // the size is stored as the window goes
    JournalWindow again;
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.size(), QSize(900, 700));
}

int main(int argc, char** argv)
{
    // A screen of 1024 x 768, as the offscreen platform is told.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" OPLAB_SOURCE_DIR "/tests/instructor/screen-1024x768.json");
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    tst_JournalWindowSize test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_JournalWindowSize.moc"
