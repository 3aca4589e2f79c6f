// The page book, the browser view and the default error report.
#include "EConvertError.h"
#include "EInOutError.h"
#include "ErrorReport.h"
#include "FakeDialogs.h"
#include "TNotebook.h"
#include "TWebBrowser.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

class ControlsTest : public QObject
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

        browser.navigate(dir.filePath("missing.htm"));
        QVERIFY(browser.toPlainText().contains(QString("Страница не найдена")));
        QVERIFY(browser.toPlainText().contains(dir.filePath("missing.htm")));
    }
};

QTEST_MAIN(ControlsTest)
#include "tst_Controls.moc"
