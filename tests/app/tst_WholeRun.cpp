// One student's whole run through the real main window: registration, the
// admission test, the six measurements of the bench carried out as the
// instructions give them, the journal record byte for byte at the end and
// the finished bench printed.
#include "support/JournalFixture.h"
#include "support/WindowDriver.h"

#include "platform/FormatSettings.h"
#include "widgets/controls/TLabel.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "app/Unit1.h"

#include <QProcess>
#include <QtTest>

using namespace fixture;

class tst_WholeRun : public QObject
{
    Q_OBJECT

private slots:
    void studentMeasuresAllSix();
};

void tst_WholeRun::studentMeasuresAllSix()
{
    FormatSettings::setDecimalSeparator(QLatin1Char(','));
    WindowDriver bench;
    const QString name = QStringLiteral("Петров П.П.");
    // The time of day moves on between the steps, and with it the seed of
    // every random draw.
    const auto later = [&bench] { bench.Clock.advance(47'311); };
    // Box k alone ticked, its switches set with the power off, the power
    // on and the balance at 0; false when the power did not come on.
    const auto startMeasurement = [&](int k) {
        later();
        bench.startMeasurement(k);
        return bench.powerOn();
    };

    bench.registerStudent(name, "2024");
    QCOMPARE(bench.page(), QString("1_2"));
    QCOMPARE(bench.journalBytes(), record(name, "2024"));

    bench.passTest();
    QCOMPARE(bench.Dialogs.take(), QStringList {"message: Правильных ответов - 10"});
    QCOMPARE(bench.page(), QString("3"));

    // Gain.
    QVERIFY(startMeasurement(1));
    QCOMPARE(bench.meterColour(1), QString("clLime"));
    QCOMPARE(bench.meter(1)->Caption(), QString("0,0"));
    later();
    bench.click(bench.sw(1));
    QCOMPARE(bench.meterColour(2), QString("clLime"));
    QCOMPARE(bench.label(2)->Caption(), "U вых = " + bench.meter(2)->Caption() + " B");
    bench.moveInput(75);
    QCOMPARE(bench.meter(2)->Caption(), QString("7,5"));
    bench.click(bench.sw(7));
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Коэффициент усиления определен."});
    QCOMPARE(bench.meter(2)->Caption(), QString("0,75"));
    QCOMPARE(bench.label(4)->Caption(), QString("Uвых.г = 0,75 B"));
    QVERIFY(bench.label(20)->isVisible() && bench.label(21)->isVisible());
    QVERIFY(bench.switchedOff());

    // Offset voltage: S7 already on Uвх, S1 back off.
    QVERIFY(startMeasurement(2));
    bench.click(bench.sw(6));
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Напряжение смещения определено."});
    QCOMPARE(bench.meter(1)->Caption(), QString("3"));
    QCOMPARE(bench.label(8)->Caption(), QString("U1 = 3 B"));
    QCOMPARE(bench.label(1)->Caption(), QString("Uсм = 0,003 В  "));
    QVERIFY(bench.switchedOff());

    // Input currents.
    QVERIFY(startMeasurement(3));
    later();
    bench.click(bench.sw(3));
    bench.balance();
    bench.click(bench.sw(6));
    QCOMPARE(bench.meter(1)->Caption(), QString("4"));
    QCOMPARE(bench.label(7)->Caption(), QString("U`1 = 4 B"));
    bench.click(bench.sw(3));
    bench.click(bench.sw(4));
    later();
    bench.click(bench.sw(6));
    QVERIFY(bench.sw(6)->Checked());
    bench.click(bench.sw(6));
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Измерение входных токов закончено."});
    QCOMPARE(bench.meter(1)->Caption(), QString("5"));
    QCOMPARE(bench.label(9)->Caption(), QString("U``1 = 5 B"));
    QCOMPARE(bench.label(10)->Caption(), QString("Iвх1 = 50 nA"));
    QCOMPARE(bench.label(11)->Caption(), QString("Iвх2 = 100 nA"));
    QVERIFY(bench.switchedOff());

    // Input resistance: S4, S6 and S7 back on.
    QVERIFY(startMeasurement(4));
    later();
    bench.click(bench.sw(1));
    QCOMPARE(bench.label(12)->Caption(), "U`вых = " + bench.meter(2)->Caption() + " B");
    bench.click(bench.sw(1));
    bench.click(bench.sw(3));
    later();
    bench.click(bench.sw(4));
    bench.balance();
    bench.inputSlider()->setPosition(73);
    bench.click(bench.sw(1));
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Входное сопротивление измерено."});
    QCOMPARE(bench.meter(2)->Caption(), QString("6,57"));
    QCOMPARE(bench.label(13)->Caption(), QString("U``вых = 6,57 B"));
    QCOMPARE(bench.label(14)->Caption(), QString("Rвх= 360 К"));
    QVERIFY(bench.switchedOff());

    // Output resistance.
    QVERIFY(startMeasurement(5));
    later();
    bench.click(bench.sw(1));
    bench.inputSlider()->setPosition(50);
    QCOMPARE(bench.label(12)->Caption(), QString("U`вых = 5,0 B"));
    bench.click(bench.sw(5));
    QCOMPARE(bench.Dialogs.take(), QStringList {"information: Выходное сопротивление измерено."});
    QCOMPARE(bench.meter(2)->Caption(), QString("5,5"));
    QCOMPARE(bench.label(13)->Caption(), QString("U``вых = 5,5 B"));
    QCOMPARE(bench.label(15)->Caption(), QString("Rвых= 0,2 К"));
    QVERIFY(bench.switchedOff());

    // Common-mode rejection, the last: the work is done.
    QVERIFY(startMeasurement(6));
    later();
    bench.click(bench.sw(1));
    QCOMPARE(bench.label(4)->Caption(), "U вых.г. = " + bench.meter(2)->Caption() + " B");
    bench.moveInput(73);
    bench.click(bench.sw(8));
    bench.click(bench.sw(9));
    bench.click(bench.sw(7));
    QCOMPARE(bench.Dialogs.take(), QStringList({"information: Коэффициент ослабления синфазного сигнала измерен.",
                                                "information: Лабораторная работа выполнена."}));
    QCOMPARE(bench.label(2)->Caption(), QString("U вых = ,073 B"));
    QVERIFY(bench.label(22)->isVisible());
    QCOMPARE(bench.label(17)->Caption(), QString("Кос.сф = 60 Дб"));
    QVERIFY(bench.switchedOff());

    // The verdict "зачeт" (Latin e) is stored over "не зачет": the last
    // three bytes of the old text stay behind it.
    const QByteArray verdict = char(5) + cp("зач") + "e" + cp("т") + cp("чет");
    QByteArray expected = field(cp(name), 30) + field("2024", 6) + field("10", 2) + verdict;
    for (int k = 1; k <= 6; ++k)
        expected += field("+", 1);
    expected += field(cp("выполнена"), 10);
    QCOMPARE(bench.journalBytes(), expected);

    // "Печать экрана" to a PDF file: the student's name and code, the date
    // and the six results, as text.
    bench.Print.File = bench.file(QStringLiteral("bench.pdf"));
    bench.click(QStringLiteral("BitBtn2"));
    QCOMPARE(bench.Dialogs.take(), QStringList());
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {bench.Print.File, QStringLiteral("-")});
    QVERIFY2(pdftotext.waitForFinished(), "pdftotext (poppler-utils, installed by scripts/setup.sh)");
    const QString printed = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    for (const QString& text : {name, QStringLiteral("2024"), QDate::currentDate().toString("dd.MM.yyyy"),
                                QStringLiteral("K = 10"), QStringLiteral("Uсм = 0,003 В"),
                                QStringLiteral("Iвх1 = 50 nA"), QStringLiteral("Iвх2 = 100 nA"),
                                QStringLiteral("Rвх= 360 К"), QStringLiteral("Rвых= 0,2 К"),
                                QStringLiteral("Кос.сф = 60 Дб")})
        QVERIFY2(printed.contains(text), qPrintable(text + " not in: " + printed));
    QCOMPARE(bench.journalBytes(), expected);

    bench.click(QStringLiteral("BitBtn1"));
    QVERIFY(!bench.form().isVisible());
    QVERIFY(!bench.form().journal().isOpen());
    QCOMPARE(bench.journalBytes(), expected);
    QCOMPARE(bench.Dialogs.take(), QStringList());
}

QTEST_MAIN(tst_WholeRun)
#include "tst_WholeRun.moc"
