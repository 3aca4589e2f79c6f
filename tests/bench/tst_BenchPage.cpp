// The bench page as a student finds it after a passed test, and what the
// switches do to the diagram and their captions while the power is off.
#include "support/WindowDriver.h"

#include "widgets/controls/TImage.h"
#include "widgets/controls/TLabel.h"
#include "widgets/controls/TSpeedButton.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "app/Unit1.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

namespace {

// Everything a switch may change on the page, to see that nothing else moved.
QStringList readings(const WindowDriver& bench)
{
    QStringList out;
    for (int n : {1, 2}) {
        out << bench.meter(n)->Caption() << bench.meterColour(n);
    }
    for (int n : {1, 2, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17})
        out << bench.label(n)->Caption();
    for (int n : {20, 21, 22})
        out << (bench.label(n)->isHidden() ? "hidden" : "shown");
    out << QString::number(bench.balanceSlider()->Position()) << QString::number(bench.inputSlider()->Position());
    return out;
}

} // namespace

class tst_BenchPage : public QObject
{
    Q_OBJECT

private slots:
    void startState();
    void switchShowsItsOverlayWithThePowerOff_data();
    void switchShowsItsOverlayWithThePowerOff();
    void printButtonLeavesTheBenchAsItIs_data();
    void printButtonLeavesTheBenchAsItIs();
};

void tst_BenchPage::startState()
{
    WindowDriver bench;
    QVERIFY(bench.reachBench());

    for (int n = 1; n <= 9; ++n) {
        QVERIFY2(bench.overlay(n)->isHidden(), qPrintable(QStringLiteral("IS%1").arg(n)));
        QVERIFY(!bench.sw(n)->Checked());
    }
    QStringList captions;
    for (int n = 1; n <= 9; ++n)
        captions << bench.sw(n)->Caption();
    QCOMPARE(captions, QStringList({"S1 выкл.", "S2 выкл.", "S3 выкл.", "S4 выкл.", "S5 выкл.",
                                    "S6 Uвх     ", "S7 Uвх", "S8 выкл.", "S9 выкл."}));

    for (int n : {1, 2}) {
        QCOMPARE(bench.meter(n)->Caption(), QString());
        QCOMPARE(bench.meterColour(n), QString("clGray"));
    }
    QVERIFY(bench.label(20)->isHidden());
    QVERIFY(bench.label(21)->isHidden());
    QVERIFY(bench.label(22)->isHidden());
    // The primed labels start with apostrophes; the bench writes grave
    // accents later.
    QCOMPARE(bench.label(7)->Caption(), QString("U'1 = "));
    QCOMPARE(bench.label(9)->Caption(), QString("U''1 = "));
    QCOMPARE(bench.label(12)->Caption(), QString("U'вых = "));
    QCOMPARE(bench.label(13)->Caption(), QString("U''вых = "));

    QVERIFY(!bench.powerOn());
    QCOMPARE(bench.powerButton()->Caption(), QString("Выкл."));
    QCOMPARE(bench.balanceSlider()->Position(), 0);
    QCOMPARE(bench.inputSlider()->Position(), 0);
    for (int k = 1; k <= 6; ++k)
        QVERIFY(!bench.box(k)->Checked());

    // The silver background of the switches and meters keeps the default
    // one-pixel black pen: its top edge (4 pixels into the group) is black.
    const QImage shape = bench.widget(QStringLiteral("Shape1"))->grab().toImage();
    QCOMPARE(QColor(shape.pixel(100, 0)), QColor(Qt::black));
    QCOMPARE(QColor(shape.pixel(100, 1)), QColor(192, 192, 192));
}

void tst_BenchPage::switchShowsItsOverlayWithThePowerOff_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("unchecked");
    QTest::newRow("S1") << 1 << "S1 вкл." << "S1 выкл.";
    QTest::newRow("S2") << 2 << "S2 вкл." << "S2 выкл.";
    QTest::newRow("S3") << 3 << "S3 вкл." << "S3 выкл.";
    QTest::newRow("S4") << 4 << "S4 вкл." << "S4 выкл.";
    QTest::newRow("S5") << 5 << "S5 вкл." << "S5 выкл.";
    // The five blanks of the start caption do not come back.
    QTest::newRow("S6") << 6 << "S6 Uвых" << "S6 Uвх";
    QTest::newRow("S7") << 7 << "S7 Uвых" << "S7 Uвх";
    QTest::newRow("S8") << 8 << "S8 вкл." << "S8 выкл.";
    QTest::newRow("S9") << 9 << "S9 вкл." << "S9 выкл.";
}

void tst_BenchPage::switchShowsItsOverlayWithThePowerOff()
{
    QFETCH(int, n);
    QFETCH(QString, checked);
    QFETCH(QString, unchecked);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    const QStringList before = readings(bench);

    for (int round = 0; round < 2; ++round) {
        bench.click(bench.sw(n));
        QVERIFY(bench.sw(n)->Checked());
        QCOMPARE(bench.sw(n)->Caption(), checked);
        for (int other = 1; other <= 9; ++other)
            QCOMPARE(bench.overlay(other)->isVisible(), other == n);

        bench.click(bench.sw(n));
        QVERIFY(!bench.sw(n)->Checked());
        QCOMPARE(bench.sw(n)->Caption(), unchecked);
        QVERIFY(bench.overlay(n)->isHidden());
    }
    QCOMPARE(readings(bench), before);
    QVERIFY(!bench.powerOn());
    QCOMPARE(bench.Dialogs.take(), QStringList());
}

// "Печать экрана" prints through the print dialog; whether the student
// cancels it, prints or meets a file that cannot be written (reported),
// the bench, the journal and the page stay as they were.
void tst_BenchPage::printButtonLeavesTheBenchAsItIs_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("cancelled") << QString() << QStringList();
    QTest::newRow("to a PDF file") << "bench.pdf" << QStringList();
    QTest::newRow("to a folder that is not there")
        << "missing/bench.pdf" << QStringList {"error: Не удалось напечатать: файл %1 нельзя записать."};
}

void tst_BenchPage::printButtonLeavesTheBenchAsItIs()
{
    QFETCH(QString, file);
    QFETCH(QStringList, boxes);
    WindowDriver bench;
    QVERIFY(bench.reachBench());
    bench.setSwitches("011111100");
    bench.tick(1);
    const QStringList before = readings(bench);
    const QString switches = bench.switchStates();
    const QByteArray journal = bench.journalBytes();
    if (!file.isEmpty())
        bench.Print.File = bench.file(file);
    for (QString& box : boxes)
        box = box.arg(QDir::toNativeSeparators(bench.Print.File));

    bench.click(QStringLiteral("BitBtn2"));

    QCOMPARE(bench.Print.Asked, 1);
    QCOMPARE(bench.Dialogs.take(), boxes);
    QCOMPARE(QFileInfo(bench.Print.File).size() > 0, !file.isEmpty() && boxes.isEmpty());
    QVERIFY(bench.form().isVisible());
    QCOMPARE(bench.page(), QString("3"));
    QCOMPARE(readings(bench), before);
    QCOMPARE(bench.switchStates(), switches);
    QVERIFY(!bench.powerOn());
    QCOMPARE(bench.journalBytes(), journal);
    QCOMPARE(bench.ProgramEnd.Ended, 0);
}

QTEST_MAIN(tst_BenchPage)
#include "tst_BenchPage.moc"
