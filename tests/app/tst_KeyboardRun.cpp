// The keys alone: the tab order of every page both ways, what each key does
// to the controls, and one student from the intro through registration,
// theory and the test to all six measurements without the mouse.

#include "support/KeyStudent.h"
#include "support/WindowDriver.h"
#include "app/Unit1.h"
#include "widgets/controls/TSpeedButton.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"

#include <QSlider>
#include <QtTest>

class tst_KeyboardRun : public QObject
{
    Q_OBJECT

private slots:
    // Tab goes round the controls of the page in this order, from its first
    // control, and Shift+Tab goes back the same way.
    void tabOrderOfEachPage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("intro") << "1_1" << QStringList {"dxfColorButton2"};
        QTest::newRow("registration") << "1" << QStringList {"EFIO", "EShifr", "dxfColorButton4"};
        QTest::newRow("test") << "2"
                              << QStringList {"dxf1", "dxf2", "dxf3", "dxf4", "glSpeedButton1", "dxfColorButton1"};
        QTest::newRow("bench") << "3"
                               << QStringList {"CB1", "CB2", "CB3", "CB4", "CB5", "CB6", "dxfOutlookBar1",
                                               "ChS1", "ChS2", "ChS3", "ChS4", "ChS5", "ChS6", "ChS7", "ChS8",
                                               "ChS9", "SpeedButton1", "TB1", "TB2", "BitBtn2", "BitBtn1"};
    }
    void tabOrderOfEachPage()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, order);
        WindowDriver w;
        QVERIFY(w.openPage(page));
        KeyStudent keys(w);
        QCOMPARE(keys.focusedName(), order.first());
        QStringList forward {keys.focusedName()};
        for (int i = 1; i <= order.size(); ++i) {
            keys.press(Qt::Key_Tab);
            forward << keys.focusedName();
        }
        QCOMPARE(forward, order + QStringList {order.first()});
        QStringList backward {keys.focusedName()};
        for (int i = 1; i <= order.size(); ++i) {
            keys.press(Qt::Key_Backtab, Qt::ShiftModifier);
            backward << keys.focusedName();
        }
        std::reverse(forward.begin(), forward.end());
        QCOMPARE(backward, forward);
    }

    // What one key does to the control it is pressed on, read back from the
    // window: "checked", the page, the power, the group shown.
    void keysWorkTheControls_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("Enter on Далее...") << "1_1" << "dxfColorButton2" << int(Qt::Key_Return) << "page 1";
        QTest::newRow("Space on Далее...") << "1_1" << "dxfColorButton2" << int(Qt::Key_Space) << "page 1";
        QTest::newRow("Space on Регистрация") << "1" << "dxfColorButton4" << int(Qt::Key_Space) << "page 1_2";
        QTest::newRow("Enter on Далее... of the theory") << "1_2" << "dxfColorButton3" << int(Qt::Key_Enter)
                                                          << "page 2";
        QTest::newRow("Down on answer 1") << "2" << "dxf1" << int(Qt::Key_Down) << "answer 2";
        QTest::newRow("Up on answer 1 goes round") << "2" << "dxf1" << int(Qt::Key_Up) << "answer 4";
        QTest::newRow("Right on answer 2") << "2" << "dxf2" << int(Qt::Key_Right) << "answer 3";
        QTest::newRow("Enter on answer 3") << "2" << "dxf3" << int(Qt::Key_Return) << "answer 3";
        QTest::newRow("Space on OK") << "2" << "glSpeedButton1" << int(Qt::Key_Space) << "question 2";
        QTest::newRow("Enter on Закрыть") << "2" << "dxfColorButton1" << int(Qt::Key_Return) << "closed";
        QTest::newRow("Space on a box") << "3" << "CB2" << int(Qt::Key_Space) << "ticked 2";
        QTest::newRow("Enter on a switch") << "3" << "ChS4" << int(Qt::Key_Return) << "switches 000100000";
        QTest::newRow("Space on the power") << "3" << "SpeedButton1" << int(Qt::Key_Space) << "power refused";
        QTest::newRow("Down on the bar") << "3" << "dxfOutlookBar1" << int(Qt::Key_Down) << "group OutlookGroup2";
        QTest::newRow("End on the bar") << "3" << "dxfOutlookBar1" << int(Qt::Key_End) << "group OutlookGroup2";
        QTest::newRow("Up on the bar") << "3" << "dxfOutlookBar1" << int(Qt::Key_Up) << "group OutlookGroup1";
        QTest::newRow("Right on the balance") << "3" << "TB1" << int(Qt::Key_Right) << "TB1 1";
    }
    void keysWorkTheControls()
    {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(QString, after);
        WindowDriver w;
        QVERIFY(w.openPage(page));
        KeyStudent keys(w);
        QVERIFY(keys.reach(control));
        keys.press(Qt::Key(key));

        const QString what = after.section(' ', 0, 0);
        const QString value = after.section(' ', 1);
        if (what == "page") {
            QCOMPARE(w.page(), value);
        } else if (what == "answer") {
            for (int n = 1; n <= 4; ++n)
                QCOMPARE(w.answerBox(n)->Checked(), n == value.toInt());
            QCOMPARE(keys.focusedName(), QString("dxf%1").arg(value));
        } else if (what == "question") {
            QCOMPARE(w.number(), QString("Вопрос № %1").arg(value));
        } else if (what == "closed") {
            QVERIFY(!w.form().isVisible());
        } else if (what == "ticked") {
            QVERIFY(w.box(value.toInt())->Checked());
        } else if (what == "switches") {
            QCOMPARE(w.switchStates(), value);
        } else if (what == "power") {
            // No parameter ticked: refused, as a click is.
            QVERIFY(!w.powerOn());
            QCOMPARE(w.Dialogs.take().last(), QString("error: Неправильно установлены тумблеры."));
        } else if (what == "group") {
            QCOMPARE(w.control<TdxfOutlookBar>("dxfOutlookBar1")->ActiveGroup()->objectName(), value);
            QCOMPARE(keys.focusedName(), control);
        } else {
            QCOMPARE(QString::number(w.control<QSlider>(what)->value()), value);
        }
    }

    // Intro, registration, theory, the whole test and the six
    // measurements, every step a key.
    void wholeWorkFromTheKeyboard()
    {
        WindowDriver w;
        KeyStudent keys(w);
        QVERIFY(keys.registerStudent("Петров П.П.", "2024"));
        QCOMPARE(w.page(), QString("1_2"));
        QCOMPARE(w.form().journal().student().FIO.text(), QString("Петров П.П."));
        QVERIFY(keys.work("dxfColorButton3", Qt::Key_Return));
        QCOMPARE(w.page(), QString("2"));
        for (int q = 1; q <= 10; ++q)
            QVERIFY2(keys.answerRight(), qPrintable(w.number()));
        QCOMPARE(w.page(), QString("3"));
        QCOMPARE(w.Dialogs.take(), QStringList {"message: Правильных ответов - 10"});

        // The instructions, read by switching the bar's group, then back.
        QVERIFY(keys.work("dxfOutlookBar1", Qt::Key_Down));
        QVERIFY(w.widget("RichEdit1")->isVisible());
        keys.press(Qt::Key_Up);
        QVERIFY(w.sw(1)->isVisible());

        const QStringList measurements {
            "tick1 set011111100 power balance S1+ input75 S7-",
            "tick2 set011111000 power balance S6-",
            "tick3 set011111000 power balance S3- balance S6- S3+ S4- S6+ balance S6-",
            "tick4 set011111100 power balance S1+ S1- S3- S4- balance S1+",
            "tick5 set011111100 power balance S1+ S5-",
            "tick6 set011111100 power balance S1+ S8+ S9+ S7-",
        };
        const QStringList done {"Коэффициент усиления определен.", "Напряжение смещения определено.",
                                "Измерение входных токов закончено.", "Входное сопротивление измерено.",
                                "Выходное сопротивление измерено.",
                                "Коэффициент ослабления синфазного сигнала измерен."};
        for (int k = 0; k < 6; ++k) {
            QVERIFY2(keys.carryOut(measurements[k]), qPrintable(measurements[k]));
            QVERIFY2(w.Dialogs.Shown.contains("information: " + done[k]), qPrintable(w.Dialogs.Shown.join('\n')));
            QVERIFY(w.switchedOff());
        }
        QCOMPARE(w.Dialogs.last(), QString("information: Лабораторная работа выполнена."));
        QCOMPARE(w.doneFlags(), QString("++++++"));
        QCOMPARE(w.workMark(), QString("выполнена"));

        QVERIFY(keys.work("BitBtn1"));
        QVERIFY(!w.form().isVisible());
    }
};

QTEST_MAIN(tst_KeyboardRun)
#include "tst_KeyboardRun.moc"
