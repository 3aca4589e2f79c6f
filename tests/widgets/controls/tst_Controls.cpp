// The page book, the browser view, the message boxes and the default error
// report.
#include "platform/EConvertError.h"
#include "platform/EInOutError.h"
#include "widgets/controls/ErrorReport.h"
#include "widgets/controls/MessageBoxDialogs.h"
#include "support/FakeDialogs.h"
#include "widgets/controls/TNotebook.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/controls/TTrackBar.h"
#include "widgets/controls/TWebBrowser.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

class tst_Controls : public QObject
{
    Q_OBJECT

private slots:
    void pageBookTurnsByCaption()
    {
        TNotebook book;
        for (const char* caption : {"1_1", "1", "2"}) {
            auto* page = new QWidget;
            page->setProperty("Caption", QString::fromLatin1(caption));
            book.addWidget(page);
        }
        QSignalSpy changed(&book, &TNotebook::OnPageChanged);
        QCOMPARE(book.ActivePage(), QString("1_1"));
        book.setActivePage("2");
        QCOMPARE(book.ActivePage(), QString("2"));
        QCOMPARE(book.currentIndex(), 2);
        book.setActivePage("2");
        book.setActivePage("no such page");
        QCOMPARE(book.ActivePage(), QString("2"));
        QCOMPARE(changed.count(), 1);
    }

    void trackBarPositionClampsAndReportsAtOnce()
    {
        TTrackBar bar;
        bar.setMin(-50);
        bar.setMax(50);
        QList<int> seen;
        connect(&bar, &TTrackBar::OnChange, this, [&](QObject* sender) {
            QCOMPARE(sender, &bar);
            seen << bar.Position();
        });
        bar.setPosition(-7);
        QCOMPARE(seen, QList<int>({-7})); // raised before the setter returned
        bar.setPosition(-7);
        bar.setPosition(500);
        bar.setPosition(-500);
        QCOMPARE(seen, QList<int>({-7, 50, -50}));
    }

    void trackBarKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("right") << int(Qt::Key_Right) << 11;
        QTest::newRow("down") << int(Qt::Key_Down) << 11;
        QTest::newRow("left") << int(Qt::Key_Left) << 9;
        QTest::newRow("up") << int(Qt::Key_Up) << 9;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 12;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 8;
        QTest::newRow("home") << int(Qt::Key_Home) << 0;
        QTest::newRow("end") << int(Qt::Key_End) << 100;
    }
    void trackBarKeys()
    {
        QFETCH(int, key);
        QFETCH(int, expected);
        TTrackBar bar;
        bar.setMax(100);
        bar.setPosition(10);
        int changes = 0;
        connect(&bar, &TTrackBar::OnChange, this, [&] { ++changes; });
        QTest::keyClick(&bar, Qt::Key(key));
        QCOMPARE(bar.Position(), expected);
        QCOMPARE(changes, 1);
    }

    void staticTextPaintsItsColour()
    {
        TStaticText meter;
        meter.setAutoSize(false);
        meter.resize(95, 27);
        meter.setBorderStyle(TStaticText::sbsSunken);
        meter.setColor(clLime);
        QImage shot = meter.grab().toImage();
        QCOMPARE(QColor(shot.pixel(10, 20)), QColor(0, 255, 0));
        QCOMPARE(QColor(shot.pixel(0, 0)), clBtnShadow.toQColor());
        meter.setProperty("Color", QString("clGray"));
        shot = meter.grab().toImage();
        QCOMPARE(QColor(shot.pixel(10, 20)), QColor(128, 128, 128));
    }

    void errorReportShowsTheTextAndGoesOn()
    {
        FakeDialogs dialogs;
        int reached = 0;
        QVERIFY(!ErrorReport::run(dialogs, [&] {
            ++reached;
            throw EInOutError(EInOutError::FileNotFound);
        }));
        QVERIFY(!ErrorReport::run(dialogs, [] { throw EConvertError::notInteger("12a"); }));
        QVERIFY(!ErrorReport::run(dialogs, [] { throw std::runtime_error("boom"); }));
        QVERIFY(ErrorReport::run(dialogs, [&] { ++reached; }));
        QCOMPARE(reached, 2);
        QCOMPARE(dialogs.Shown, QStringList({"error: File not found",
                                             "error: '12a' is not a valid integer value",
                                             "error: boom"}));
    }

    void everyBoxCarriesTheProgramsTitle_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::newRow("plain notice") << 0 << int(QMessageBox::NoIcon);
        QTest::newRow("error") << 1 << int(QMessageBox::Critical);
        QTest::newRow("information") << 2 << int(QMessageBox::Information);
        QTest::newRow("error report") << 3 << int(QMessageBox::Critical);
    }
    void everyBoxCarriesTheProgramsTitle()
    {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QCoreApplication::setApplicationName("oplab");
        QWidget window;
        MessageBoxDialogs dialogs(&window);
        QString title, text;
        int shownIcon = -1;
        // The box is modal: it is read and closed from the event loop it runs.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            shownIcon = int(box->icon());
            box->accept();
        });
        const QString said("Неправильно установлены тумблеры.");
        switch (kind) {
        case 0: dialogs.message(said); break;
        case 1: dialogs.error(said); break;
        case 2: dialogs.information(said); break;
        default: ErrorReport::run(dialogs, [] { throw EInOutError(EInOutError::FileNotFound); });
        }
        QCOMPARE(title, QString("oplab"));
        QCOMPARE(text, kind == 3 ? QString("File not found") : said);
        QCOMPARE(shownIcon, icon);
    }

    void nestedFailureAbortsTheOuterHandlerOnce()
    {
        FakeDialogs dialogs;
        QStringList steps;
        const bool ok = ErrorReport::run(dialogs, [&] {
            steps << "outer before";
            // A value set from code raises a nested handler that fails.
            ErrorReport::run(dialogs, [&] {
                steps << "nested";
                throw EInOutError(EInOutError::DiskFull);
            });
            ErrorReport::rethrowPending();
            steps << "outer after";
        });
        QVERIFY(!ok);
        QCOMPARE(steps, QStringList({"outer before", "nested"}));
        QCOMPARE(dialogs.Shown, QStringList({"error: Disk full"}));

        // Nothing is left over for the next handler.
        QVERIFY(ErrorReport::run(dialogs, [] { ErrorReport::rethrowPending(); }));
        QCOMPARE(dialogs.Shown.size(), 1);
    }

    void browserReadsTheDeclaredCharset()
    {
        const QByteArray cp1251 = "<html><head><meta http-equiv=\"Content-Type\" "
                                  "content=\"text/html; charset=windows-1251\"></head>"
                                  "<body>\xD3\xF1\xE8\xEB\xE8\xF2\xE5\xEB\xFC</body></html>";
        QVERIFY(TWebBrowser::decodeHtml(cp1251).contains(QString("Усилитель")));
        const QByteArray utf8 = "<html><head><meta charset=\"utf-8\"></head><body>"
                                + QString("Усилитель").toUtf8() + "</body></html>";
        QVERIFY(TWebBrowser::decodeHtml(utf8).contains(QString("Усилитель")));
    }

    void browserShowsAPageOrANotice()
    {
        QTemporaryDir dir;
        QFile page(dir.filePath("1.htm"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><meta charset=\"windows-1251\"></head><body><p>\xCE\xD3</p></body></html>");
        page.close();

        TWebBrowser browser;
        browser.navigate(page.fileName());
        QCOMPARE(browser.toPlainText().trimmed(), QString("ОУ"));

        // The same page, its file changed meanwhile, shows the change.
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><p>new</p></body></html>");
        page.close();
        browser.navigate(page.fileName());
        QCOMPARE(browser.toPlainText().trimmed(), QString("new"));

        browser.navigate(dir.filePath("missing.htm"));
        QVERIFY(browser.toPlainText().contains(QString("Страница не найдена")));
        QVERIFY(browser.toPlainText().contains(dir.filePath("missing.htm")));
    }
};

QTEST_MAIN(tst_Controls)
#include "tst_Controls.moc"
