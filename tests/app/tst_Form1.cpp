// The main window: the stored form's pages and controls, start-up and the
// page turns, built with fake message boxes in a scratch lab folder.
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeProgramEnd.h"
#include "support/LabFolder.h"
#include "platform/controls/TNotebook.h"
#include "platform/controls/TRichEdit.h"
#include "platform/controls/TWebBrowser.h"
#include "app/Unit1.h"
#include "ui_Unit1.h"

#include <QFile>
#include <QLineEdit>
#include <QtTest>

#include <memory>

namespace {

void click(QWidget* control)
{
    QVERIFY(control);
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

} // namespace

class tst_Form1 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TForm1> makeForm()
    {
        auto form = std::make_unique<TForm1>(dialogs, clock, programEnd);
        form->show();
        return form;
    }
    TNotebook* book(TForm1& form) { return form.findChild<TNotebook*>("Nb1"); }

    FakeDialogs dialogs;
    FakeClock clock;
    FakeProgramEnd programEnd;

private slots:
    void init() { dialogs.take(); }

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
        LabFolder lab;
        auto form = makeForm();
        QCOMPARE(book(*form)->ActivePage(), QString("1_1"));
        QCOMPARE(form->windowTitle(), QString("Ормидан"));
        QCOMPARE(form->size(), QSize(733, 562));
        QVERIFY(!(form->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(form->windowFlags() & Qt::WindowSystemMenuHint));
        QVERIFY(dialogs.Shown.isEmpty());
        QCOMPARE(form->font().pixelSize(), 11);
    }

    void missingInstructionsAreReportedAndStartUpGoesOn()
    {
        LabFolder lab({"1.htm"});
        auto form = makeForm();
        QCOMPARE(dialogs.take(), QStringList({"error: Cannot open file " + lab.file("1.rtf")}));
        QCOMPARE(book(*form)->ActivePage(), QString("1_1"));
        // The instructions group is not blank: it shows the view's built-in
        // text from the stored form, the beginning of the instructions.
        QWidget host;
        Ui::TForm1 stored;
        stored.setupUi(&host);
        const QString builtIn = form->findChild<TRichEdit*>("RichEdit1")->toPlainText();
        QCOMPARE(builtIn, stored.RichEdit1->toPlainText());
        QVERIFY(builtIn.startsWith(QString("Методические указания")));
        QVERIFY(builtIn.contains(QString("тумблеры S2–S5 вверх")));
    }

    void instructionsAreReadFromTheCurrentFolder()
    {
        LabFolder lab({"1.htm"});
        QFile rtf(lab.file("1.rtf"));
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write("{\\rtf1\\ansi\\ansicpg1251 \\'cc\\'e5\\'f2\\'ee\\'e4\\'e8\\'f7\\'ea\\'e0\\par}");
        rtf.close();
        auto form = makeForm();
        QVERIFY(dialogs.Shown.isEmpty());
        auto* view = form->findChild<TRichEdit*>("RichEdit1");
        QVERIFY(view->toPlainText().contains(QString("Методичка")));
    }

    void pagesTurnForwardOnly()
    {
        LabFolder lab;
        auto form = makeForm();
        TNotebook* nb = book(*form);

        click(form->findChild<QWidget*>("dxfColorButton2"));
        QCOMPARE(nb->ActivePage(), QString("1"));

        click(form->findChild<QWidget*>("dxfColorButton4"));
        QCOMPARE(nb->ActivePage(), QString("1_2"));
        auto* browser = form->findChild<TWebBrowser*>("WebBrowser1");
        QCOMPARE(browser->location(), lab.file("1.htm"));

        click(form->findChild<QWidget*>("dxfColorButton3"));
        QCOMPARE(nb->ActivePage(), QString("2"));
    }

    void missingTheoryPageStillTurns()
    {
        LabFolder lab;
        QFile::remove(lab.file("1.htm"));
        auto form = makeForm();
        click(form->findChild<QWidget*>("dxfColorButton2"));
        click(form->findChild<QWidget*>("dxfColorButton4"));
        auto* browser = form->findChild<TWebBrowser*>("WebBrowser1");
        QVERIFY(browser->toPlainText().contains(lab.file("1.htm")));
        click(form->findChild<QWidget*>("dxfColorButton3"));
        QCOMPARE(book(*form)->ActivePage(), QString("2"));
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
        LabFolder lab;
        auto form = makeForm();
        auto* control = form->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }

    void registrationFieldsAndFonts()
    {
        LabFolder lab;
        auto form = makeForm();
        auto* fio = form->findChild<QLineEdit*>("EFIO");
        auto* shifr = form->findChild<QLineEdit*>("EShifr");
        QCOMPARE(fio->text(), QString("Зорбин З.З."));
        QCOMPARE(shifr->text(), QString("123456"));
        QCOMPARE(fio->font().pixelSize(), 32);
        QVERIFY(fio->font().bold());
        QVERIFY(shifr->font().italic());
    }
};

QTEST_MAIN(tst_Form1)
#include "tst_Form1.moc"
