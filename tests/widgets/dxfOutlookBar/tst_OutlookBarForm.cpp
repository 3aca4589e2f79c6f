// The bar and its groups built by a stored form (compiled by uic), then
// loaded: the bench page's arrangement.
#include "widgets/dxfOutlookBar/TdxfOutlookBar.h"
#include "widgets/dxfOutlookBar/TdxfOutlookGroup.h"
#include "ui_OutlookBarForm.h"

#include <QSignalSpy>
#include <QtTest>

class tst_OutlookBarForm : public QObject
{
    Q_OBJECT

private slots:
    void loadsTheStoredArrangement()
    {
        QWidget host;
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(11);
        host.setFont(font);
        Ui::OutlookBarForm ui;
        ui.setupUi(&host);
        TdxfOutlookBar* bar = ui.dxfOutlookBar1;
        QVERIFY(!bar->IsLoaded());
        QCOMPARE(bar->GroupCount(), 0);
        QCOMPARE(bar->ActiveGroupName(), QString("OutlookGroup1"));
        QSignalSpy before(bar, &TdxfOutlookBar::OnBeforeChangeActiveGroup);
        QSignalSpy changed(bar, &TdxfOutlookBar::OnChangeActiveGroup);

        bar->Loaded();
        QVERIFY(bar->IsLoaded());
        QCOMPARE(before.count(), 0);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(bar->Orientation(), TdxfOutlookBar::orVert);
        QCOMPARE(bar->GroupCount(), 2);
        QCOMPARE(bar->Groups(0), ui.OutlookGroup1);
        QCOMPARE(bar->Groups(1), ui.OutlookGroup2);
        QCOMPARE(ui.OutlookGroup1->Index(), 0);
        QCOMPARE(ui.OutlookGroup2->Index(), 1);
        QCOMPARE(ui.OutlookGroup1->Caption(), QString("Выполнение лабораторной работы"));
        QCOMPARE(ui.OutlookGroup2->Caption(), QString("Методические указания"));
        QCOMPARE(bar->ActiveGroup(), ui.OutlookGroup1);

        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QVERIFY(ui.OutlookGroup1->isVisible());
        QVERIFY(!ui.OutlookGroup2->isVisible());
        QVERIFY(ui.Button1->isVisible());
        // The first group fills the space between the two headers of 21,
        // and its controls stand at their places inside it.
        QCOMPARE(bar->HeaderHeight(), 21);
        QCOMPARE(ui.OutlookGroup1->geometry(), QRect(2, 23, 561, 516));
        QCOMPARE(ui.Button1->geometry(), QRect(486, 148, 65, 25));
        QCOMPARE(ui.Button1->mapTo(bar, QPoint(0, 0)), QPoint(488, 171));

        // The user switches with the headers: both events once.
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {},
                          bar->HeaderRect(ui.OutlookGroup2).center());
        QCOMPARE(bar->ActiveGroup(), ui.OutlookGroup2);
        QCOMPARE(changed.count(), 1);
        QVERIFY(ui.Label1->isVisible());
        QCOMPARE(ui.OutlookGroup2->geometry(), QRect(2, 44, 561, 516));
    }

    void orientationIsSetByName()
    {
        TdxfOutlookBar bar;
        QVERIFY(bar.setProperty("Orientation", "orHorz"));
        QCOMPARE(bar.Orientation(), TdxfOutlookBar::orHorz);
    }
};

QTEST_MAIN(tst_OutlookBarForm)
#include "tst_OutlookBarForm.moc"
