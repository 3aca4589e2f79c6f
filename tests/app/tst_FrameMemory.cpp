// The frame of the student's window kept between starts: saved as the
// window stands, given back at the next start, never below the stored size.
#include "app/FrameMemory.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

class tst_FrameMemory : public QObject
{
    Q_OBJECT

private slots:
    void frameComesBackAtTheNextStart_data()
    {
        QTest::addColumn<QSize>("left");       // the frame the student left
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<QSize>("next");       // the frame of the next start
        QTest::newRow("larger") << QSize(1000, 700) << false << QSize(1000, 700);
        QTest::newRow("stored size") << QSize(733, 562) << false << QSize(733, 562);
        QTest::newRow("maximised") << QSize(900, 650) << true << QSize(900, 650);
    }
    void frameComesBackAtTheNextStart()
    {
        QFETCH(QSize, left);
        QFETCH(bool, maximised);
        QFETCH(QSize, next);
        QTemporaryDir dir;
        QSettings settings(dir.filePath("oplab.conf"), QSettings::IniFormat);
        {
            QWidget window;
            window.setMinimumSize(733, 562);
            window.resize(left);
            if (maximised)
                window.showMaximized();
            else
                window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            FrameMemory::save(window, settings);
        }
        QWidget window;
        window.setMinimumSize(733, 562);
        FrameMemory::show(window, settings);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.isMaximized(), maximised);
        QCOMPARE(maximised ? window.normalGeometry().size() : window.size(), next);
    }

    void unusableKeptSizeLeavesTheStoredSize_data()
    {
        QTest::addColumn<QVariant>("kept");
        QTest::newRow("none") << QVariant();
        QTest::newRow("smaller than stored") << QVariant(QSize(400, 300));
        QTest::newRow("not a size") << QVariant(QString("большое"));
    }
    void unusableKeptSizeLeavesTheStoredSize()
    {
        QFETCH(QVariant, kept);
        QTemporaryDir dir;
        QSettings settings(dir.filePath("oplab.conf"), QSettings::IniFormat);
        if (kept.isValid())
            settings.setValue("Window/Size", kept);
        QWidget window;
        window.setMinimumSize(733, 562);
        window.resize(733, 562);
        FrameMemory::show(window, settings);
        QCOMPARE(window.size(), QSize(733, 562));
        QVERIFY(!window.isMaximized());
    }
};

QTEST_MAIN(tst_FrameMemory)
#include "tst_FrameMemory.moc"
