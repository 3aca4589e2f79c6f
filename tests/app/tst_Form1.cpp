// The main window: the stored form's pages and controls, start-up and the
// page turns, built with fake message boxes in a scratch lab folder.
#include "support/WindowDriver.h"
#include "widgets/controls/TNotebook.h"
#include "widgets/controls/TRichEdit.h"
#include "widgets/controls/TWebBrowser.h"
#include "app/Unit1.h"
#include "ui_Unit1.h"

#include <QFile>
#include <QLineEdit>
#include <QtTest>

namespace {

// Where every named control of the window stands, by name.
QMap<QString, QRect> places(const QWidget& form)
{
    QMap<QString, QRect> out;
    for (const QWidget* c : form.findChildren<QWidget*>())
        if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")))
            out[c->objectName()] = c->geometry();
    return out;
}

} // namespace

class tst_Form1 : public QObject
{
    Q_OBJECT

private slots:
    void storedFormMarksTheTestPage()
    {
        QWidget host;
        Ui::TForm1 ui;
        ui.setupUi(&host);
        QCOMPARE(ui.Nb1->ActivePage(), QString("2"));
        QStringList captions;
        for (int i = 0; i < ui.Nb1->count(); ++i)
            captions << TNotebook::captionOf(ui.Nb1->widget(i));
        QCOMPARE(captions, QStringList({"1_1", "1", "1_2", "2", "3"}));
    }

    void startUpOpensOnTheIntroPage()
    {
        WindowDriver w;
        QCOMPARE(w.page(), QString("1_1"));
        QCOMPARE(w.form().windowTitle(), QString("Ормидан"));
        QCOMPARE(w.form().size(), QSize(733, 562));
        QVERIFY(!(w.form().windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(w.form().windowFlags() & Qt::WindowSystemMenuHint));
        QVERIFY(w.Dialogs.Shown.isEmpty());
        QCOMPARE(w.form().font().pixelSize(), 11);
    }

    void missingInstructionsAreReportedAndStartUpGoesOn()
    {
        WindowDriver w({.LabFiles = {"1.htm"}});
        QCOMPARE(w.Dialogs.take(), QStringList({"error: Cannot open file " + w.file("1.rtf")}));
        QCOMPARE(w.page(), QString("1_1"));
        // The instructions group is not blank: it shows the view's built-in
        // text from the stored form, the beginning of the instructions.
        QWidget host;
        Ui::TForm1 stored;
        stored.setupUi(&host);
        const QString builtIn = w.control<TRichEdit>("RichEdit1")->toPlainText();
        QCOMPARE(builtIn, stored.RichEdit1->toPlainText());
        QVERIFY(builtIn.startsWith(QString("Методические указания")));
        QVERIFY(builtIn.contains(QString("тумблеры S2–S5 вверх")));
    }

    void instructionsAreReadFromTheCurrentFolder()
    {
        WindowDriver w({.LabFiles = {"1.htm"}, .StartNow = false});
        QFile rtf(w.file("1.rtf"));
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write("{\\rtf1\\ansi\\ansicpg1251 \\'cc\\'e5\\'f2\\'ee\\'e4\\'e8\\'f7\\'ea\\'e0\\par}");
        rtf.close();
        w.start();
        QVERIFY(w.Dialogs.Shown.isEmpty());
        QVERIFY(w.control<TRichEdit>("RichEdit1")->toPlainText().contains(QString("Методичка")));
    }

    void pagesTurnForwardOnly()
    {
        WindowDriver w;
        w.click("dxfColorButton2");
        QCOMPARE(w.page(), QString("1"));

        w.click("dxfColorButton4");
        QCOMPARE(w.page(), QString("1_2"));
        QCOMPARE(w.control<TWebBrowser>("WebBrowser1")->location(), w.file("1.htm"));

        w.click("dxfColorButton3");
        QCOMPARE(w.page(), QString("2"));
    }

    void missingTheoryPageStillTurns()
    {
        WindowDriver w;
        QFile::remove(w.file("1.htm"));
        w.click("dxfColorButton2");
        w.click("dxfColorButton4");
        QVERIFY(w.control<TWebBrowser>("WebBrowser1")->toPlainText().contains(w.file("1.htm")));
        w.click("dxfColorButton3");
        QCOMPARE(w.page(), QString("2"));
    }

    void controlsStandAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("dxfColorButton2") << "dxfColorButton2" << QRect(622, 514, 99, 40);
        QTest::newRow("EFIO") << "EFIO" << QRect(150, 124, 381, 45);
        QTest::newRow("EShifr") << "EShifr" << QRect(320, 306, 153, 45);
        QTest::newRow("dxfColorButton4") << "dxfColorButton4" << QRect(272, 432, 203, 63);
        QTest::newRow("WebBrowser1") << "WebBrowser1" << QRect(40, 118, 607, 363);
        QTest::newRow("dxfColorButton3") << "dxfColorButton3" << QRect(680, 518, 53, 40);
        QTest::newRow("ST2") << "ST2" << QRect(38, 92, 653, 77);
        QTest::newRow("glStaticText1") << "glStaticText1" << QRect(58, 172, 635, 43);
        QTest::newRow("glStaticText2") << "glStaticText2" << QRect(58, 218, 633, 43);
        QTest::newRow("glStaticText3") << "glStaticText3" << QRect(57, 262, 634, 43);
        QTest::newRow("glStaticText4") << "glStaticText4" << QRect(58, 310, 633, 43);
        QTest::newRow("dxf1") << "dxf1" << QRect(34, 174, 22, 18);
        // The answer boxes size themselves to their picture once shown.
        QTest::newRow("dxf2") << "dxf2" << QRect(34, 218, 22, 18);
        QTest::newRow("dxf3") << "dxf3" << QRect(34, 262, 22, 18);
        QTest::newRow("dxf4") << "dxf4" << QRect(34, 308, 22, 18);
        QTest::newRow("dxfTimer1") << "dxfTimer1" << QRect(310, 380, 125, 37);
        QTest::newRow("glSpeedButton1") << "glSpeedButton1" << QRect(56, 478, 267, 37);
        QTest::newRow("dxfColorButton1") << "dxfColorButton1" << QRect(480, 500, 105, 37);
    }
    void controlsStandAtTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        WindowDriver w;
        QCOMPARE(w.widget(name)->geometry(), geometry);
    }

    // The book fills the window at any size: the pictures grow with their
    // pages, the outlook bar runs down the left edge and the instructions
    // fill their group; every other control keeps its place. Back at the
    // stored size everything stands where it stood, and the window never
    // gets smaller than that.
    void layoutFollowsTheFrame()
    {
        WindowDriver w;
        const QRect larger(0, 0, 1000, 760);
        w.form().resize(larger.size());
        QCOMPARE(w.widget("Nb1")->geometry(), larger);
        // The page's content zoomed as one piece to fit, centred: 733 x 562
        // at 760 / 562.
        const qreal z = 760.0 / 562;
        const QRect content((1000 - qRound(733 * z)) / 2, 0, qRound(733 * z), 760);
        QCOMPARE(w.widget("Image2")->geometry(), content);
        w.click("dxfColorButton2");
        QCOMPARE(w.widget("Image1")->geometry(), content);
        QCOMPARE(w.widget("EFIO")->geometry().topLeft(), content.topLeft() + QPoint(qRound(150 * z), qRound(124 * z)));
        w.form().resize(733, 562);
        QCOMPARE(w.widget("EFIO")->geometry(), QRect(150, 124, 381, 45));

        // The instructions on show: a hidden group follows its bar's size
        // when it is shown next.
        QVERIFY(w.reachBench());
        w.showGroup(2);
        const QMap<QString, QRect> stored = places(w.form());
        w.form().resize(larger.size());
        QCOMPARE(w.widget("dxfOutlookBar1")->geometry(), QRect(content.left(), 0, qRound(565 * z), 760));
        QCOMPARE(w.widget("RichEdit1")->geometry(), w.widget("OutlookGroup2")->rect());

        w.form().resize(733, 562);
        QStringList moved;
        const QMap<QString, QRect> now = places(w.form());
        for (auto it = stored.begin(); it != stored.end(); ++it)
            if (now.value(it.key()) != it.value())
                moved << it.key();
        QVERIFY2(moved.isEmpty(), qPrintable(moved.join(' ')));
        w.form().resize(600, 400);
        QCOMPARE(w.form().size(), QSize(733, 562));
    }

    // No control of the stored layout, on any page, reaches out of the
    // client area at the stored size, where the window would cut it.
    void everyControlLiesInsideTheClientArea()
    {
        WindowDriver w;
        QVERIFY(w.reachBench());
        QStringList outside;
        for (const QWidget* c : w.widget("Nb1")->findChildren<QWidget*>()) {
            if (c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_")))
                continue;
            if (!w.form().rect().contains(QRect(c->mapTo(&w.form(), QPoint(0, 0)), c->size())))
                outside << c->objectName();
        }
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(' ')));
    }

    // Whatever page opens, its first control in tab order has the focus.
    void firstControlOfEachPageHasTheFocus_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("focused");
        QTest::newRow("intro") << "1_1" << "dxfColorButton2";
        QTest::newRow("registration") << "1" << "EFIO";
        QTest::newRow("theory") << "1_2" << "WebBrowser1";
        QTest::newRow("test") << "2" << "dxf1";
        QTest::newRow("bench") << "3" << "CB1";
    }
    void firstControlOfEachPageHasTheFocus()
    {
        QFETCH(QString, page);
        QFETCH(QString, focused);
        WindowDriver w;
        if (page == "1")
            w.click("dxfColorButton2");
        else if (page == "1_2")
            w.registerStudent();
        else if (page == "2")
            w.startTest();
        else if (page == "3")
            QVERIFY(w.reachBench());
        QCOMPARE(w.page(), page);
        const QWidget* f = w.form().focusWidget();
        QCOMPARE(f ? f->objectName() : QString(), focused);
    }

    // The student types the name at once, over the selected initial text,
    // goes on to the code with Tab or Enter, and registers with Enter.
    void studentRegistersFromTheKeyboard_data()
    {
        QTest::addColumn<int>("next");
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void studentRegistersFromTheKeyboard()
    {
        QFETCH(int, next);
        WindowDriver w;
        w.click("dxfColorButton2");
        w.form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form()));
        // Keys go to whatever control has the focus.
        const auto focused = [] {
            QWidget* w = QApplication::focusWidget();
            if (!w)
                qFatal("no control has the focus");
            return w;
        };
        const auto type = [&](const QString& text) {
            for (const QChar c : text)
                QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        };
        type("Петров П.П.");
        QTest::keyClick(focused(), Qt::Key(next));
        type("2024");
        QCOMPARE(w.control<QLineEdit>("EFIO")->text(), QString("Петров П.П."));
        QCOMPARE(w.control<QLineEdit>("EShifr")->text(), QString("2024"));
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(w.page(), QString("1_2"));
        QCOMPARE(w.form().journal().student().FIO.text(), QString("Петров П.П."));
        QCOMPARE(w.Dialogs.take(), QStringList());
    }

    void registrationFieldsAndFonts()
    {
        WindowDriver w;
        auto* fio = w.control<QLineEdit>("EFIO");
        auto* shifr = w.control<QLineEdit>("EShifr");
        QCOMPARE(fio->text(), QString("Зорбин З.З."));
        QCOMPARE(shifr->text(), QString("123456"));
        QCOMPARE(fio->font().pixelSize(), 32);
        QVERIFY(fio->font().bold());
        QVERIFY(shifr->font().italic());
    }
};

QTEST_MAIN(tst_Form1)
#include "tst_Form1.moc"
