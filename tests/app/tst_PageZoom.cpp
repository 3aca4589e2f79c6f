// The pages zoomed with the frame: every page shown larger and scaled back
// down looks as it does at the stored size, every control stands at its
// stored place zoomed, a click at a zoomed point reaches the control drawn
// there, and the margins show the page's own background.
#include "support/WindowDriver.h"
#include "app/Unit1.h"
#include "widgets/controls/PageZoom.h"
#include "widgets/controls/TNotebook.h"
#include "widgets/controls/TTrackBar.h"
#include "ui_Unit1.h"
#include "widgets/common/ControlZoom.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"

#include <QAbstractScrollArea>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const QSize Stored(733, 562);

using Walk = std::function<void(WindowDriver&)>;

// The ways to each page, from a fresh window.
QMap<QString, Walk> walks()
{
    return {
        {"intro", [](WindowDriver&) {}},
        {"registration", [](WindowDriver& w) { w.click("dxfColorButton2"); }},
        {"theory", [](WindowDriver& w) { w.registerStudent(); }},
        {"test", [](WindowDriver& w) { w.startTest(); }},
        {"bench", [](WindowDriver& w) { QVERIFY(w.reachBench()); }},
        {"instructions", [](WindowDriver& w) { QVERIFY(w.reachBench()); w.showGroup(2); }},
    };
}

QWidget* pageOnShow(WindowDriver& w)
{
    return w.form().form()->Nb1->currentWidget();
}

void frame(WindowDriver& w, QSize size)
{
    w.form().resize(size);
    QCoreApplication::processEvents();
}

// A control's rectangle on its page.
QRect onPage(const QWidget* control, const QWidget* page)
{
    return QRect(control->mapTo(page, QPoint(0, 0)), control->size());
}

// The mean difference of the colour channels of two pictures in a rectangle,
// the pixels of the rectangles left out not counted.
double meanDifference(const QImage& a, const QImage& b, const QRect& area, const QList<QRect>& leftOut)
{
    const QRect r = area.intersected(a.rect());
    double sum = 0;
    int counted = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            if (std::any_of(leftOut.begin(), leftOut.end(), [&](const QRect& o) { return o.contains(x, y); }))
                continue;
            ++counted;
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return counted ? sum / (3.0 * counted) : 0;
}

// The zoom a page of a size shows its content at, and where the content
// begins: the largest factor that fits, centred.
qreal factorFor(QSize page)
{
    return std::max(1.0, std::min(qreal(page.width()) / Stored.width(), qreal(page.height()) / Stored.height()));
}

QPoint originFor(QSize page)
{
    const qreal z = factorFor(page);
    return QPoint(int(page.width() - std::lround(Stored.width() * z)) / 2,
                  int(page.height() - std::lround(Stored.height() * z)) / 2);
}

// The widths the document gives its pictures.
QList<qreal> pictureWidths(const QTextDocument& doc)
{
    QList<qreal> widths;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                widths << it.fragment().charFormat().toImageFormat().width();
    return widths;
}

} // namespace

class tst_PageZoom : public QObject
{
    Q_OBJECT

private slots:
    void pageScaledDownLooksAsAtTheStoredSize_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString& page : walks().keys())
            QTest::newRow(qPrintable(page)) << page;
    }
    void pageScaledDownLooksAsAtTheStoredSize()
    {
        QFETCH(QString, page);
        WindowDriver w;
        walks().value(page)(w);
        QWidget* shown = pageOnShow(w);
        const QImage stored = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);

        frame(w, Stored * 2);
        QCOMPARE(shown->size(), Stored * 2);
        const QImage twice = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(twice.size(), Stored * 2);
        const QImage down = twice.scaled(Stored, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

        // Compared control by control, so that one control left at its
        // stored size or place cannot hide in the whole page. Text is drawn
        // anew at the larger size, so its edges differ a little. The text
        // views are left out: they wrap their text anew at the larger font,
        // as a browser does.
        QList<QRect> views;
        for (const QAbstractScrollArea* v : shown->findChildren<QAbstractScrollArea*>())
            if (v->isVisibleTo(shown))
                views << QRect(v->mapTo(shown, QPoint(0, 0)) / 2, v->size() / 2);
        double worst = 0;
        QString where;
        for (const QWidget* c : PageZoom::controlsOf(shown)) {
            if (!c->isVisibleTo(shown))
                continue;
            const QRect area(c->mapTo(shown, QPoint(0, 0)) / 2, c->size() / 2);
            const double d = meanDifference(stored, down, area, views);
            if (d > worst) {
                worst = d;
                where = c->objectName();
            }
        }
        QVERIFY2(worst < 16, qPrintable(QString("%1 differs by %2").arg(where).arg(worst)));
    }

    void controlsStandAtTheirPlacesZoomed_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("stored size") << Stored;
        QTest::newRow("twice") << Stored * 2;
        QTest::newRow("one and a half") << QSize(1100, 843);
        QTest::newRow("maximised on 1920 x 1080") << QSize(1920, 1050);
        QTest::newRow("wider only") << QSize(900, 562);
        QTest::newRow("taller only") << QSize(733, 800);
    }
    void controlsStandAtTheirPlacesZoomed()
    {
        QFETCH(QSize, size);
        WindowDriver w;
        TNotebook* book = w.form().form()->Nb1;
        // Where each control stands at the stored size, on every page.
        QMap<const QWidget*, QRect> stored;
        for (int i = 0; i < book->count(); ++i) {
            book->setCurrentIndex(i);
            QCoreApplication::processEvents();
            // (The controls of a group the outlook bar does not show yet
            // have not been laid out.)
            for (const QWidget* c : PageZoom::controlsOf(book->widget(i)))
                if (c->isVisibleTo(book->widget(i)))
                    stored[c] = onPage(c, book->widget(i));
        }

        frame(w, size);
        const qreal z = factorFor(size);
        const QPoint origin = originFor(size);
        for (int i = 0; i < book->count(); ++i) {
            QWidget* page = book->widget(i);
            book->setCurrentIndex(i);
            QCoreApplication::processEvents();
            QCOMPARE(page->size(), size);
            QCOMPARE(ControlZoom::factor(page), z);
            for (const QWidget* c : PageZoom::controlsOf(page)) {
                if (!stored.contains(c))
                    continue;
                const QRect design = stored.value(c);
                const QRect shown = onPage(c, page);
                const QRect expected(origin + QPoint(std::lround(design.x() * z), std::lround(design.y() * z)),
                                     QSize(std::lround(design.width() * z), std::lround(design.height() * z)));
                const bool close = std::abs(shown.left() - expected.left()) <= 1
                    && std::abs(shown.top() - expected.top()) <= 1 && std::abs(shown.width() - expected.width()) <= 1
                    && std::abs(shown.height() - expected.height()) <= 1;
                QVERIFY2(close, qPrintable(QString("%1 at %2,%3 %4x%5, not %6,%7 %8x%9")
                                               .arg(c->objectName())
                                               .arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height())
                                               .arg(expected.x()).arg(expected.y())
                                               .arg(expected.width()).arg(expected.height())));
            }
        }
    }

    void zoomedPointFindsItsControl_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::newRow("Далее... (intro)") << "intro" << "dxfColorButton2";
        QTest::newRow("name field") << "registration" << "EFIO";
        QTest::newRow("Регистрация") << "registration" << "dxfColorButton4";
        QTest::newRow("third answer box") << "test" << "dxf3";
        QTest::newRow("OK") << "test" << "glSpeedButton1";
        QTest::newRow("S1") << "bench" << "ChS1";
        QTest::newRow("power") << "bench" << "SpeedButton1";
        QTest::newRow("balance") << "bench" << "TB1";
        QTest::newRow("gain box") << "bench" << "CB1";
        QTest::newRow("Выход") << "bench" << "BitBtn1";
    }
    void zoomedPointFindsItsControl()
    {
        QFETCH(QString, page);
        QFETCH(QString, control);
        WindowDriver w;
        walks().value(page)(w);
        QWidget* shown = pageOnShow(w);
        QWidget* target = w.widget(control);
        // The control's centre at the stored size, then where the zoom puts
        // that point of the page.
        const QPointF centre = QRectF(onPage(target, shown)).center();
        QCOMPARE(shown->childAt(centre.toPoint()), target);
        for (const QSize size : {Stored * 2, QSize(1920, 1050)}) {
            frame(w, size);
            const QPoint at = originFor(size) + (centre * factorFor(size)).toPoint();
            QCOMPARE(shown->childAt(at), target);
        }
    }

    void clicksWorkOnTheZoomedBench()
    {
        WindowDriver w;
        QVERIFY(w.reachBench());
        frame(w, QSize(1920, 1050));
        // A switch clicked where it is drawn.
        w.setSwitch(1, true);
        QCOMPARE(w.switchStates(), QString("100000000"));
        // The slider's groove right of the thumb: a page up.
        TTrackBar* balance = w.balanceSlider();
        QTest::mouseClick(balance, Qt::LeftButton, {}, QPoint(balance->width() * 7 / 8, balance->height() / 2));
        QVERIFY(balance->Position() > 0);
        // The outlook bar's headers where they are drawn.
        w.showGroup(2);
        QVERIFY(w.widget("OutlookGroup2")->isVisible());
        QVERIFY(!w.widget("OutlookGroup1")->isVisible());
        QCOMPARE(w.widget("RichEdit1")->size(), w.widget("OutlookGroup2")->size());
        w.showGroup(1);
        QVERIFY(w.widget("ChS1")->isVisible());
    }

    // The theory and instructions views zoom their text, the sizes their
    // documents fix included: at twice the size the text is laid out about
    // twice as high in a view twice as wide (the views' margins and the
    // fonts' hinting do not scale exactly), and a picture is twice as large.
    void textViewsZoomTheirText_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("view");
        QTest::newRow("theory") << "theory" << "WebBrowser1";
        QTest::newRow("instructions") << "instructions" << "RichEdit1";
    }
    void textViewsZoomTheirText()
    {
        QFETCH(QString, page);
        QFETCH(QString, view);
        WindowDriver w;
        walks().value(page)(w);
        QTextDocument* doc = w.control<QTextEdit>(view)->document();
        const qreal stored = doc->documentLayout()->documentSize().height();
        const QList<qreal> pictures = pictureWidths(*doc);

        frame(w, Stored * 2);
        const qreal twice = doc->documentLayout()->documentSize().height();
        QVERIFY2(twice > 1.6 * stored && twice < 2.4 * stored, qPrintable(QString("%1 to %2").arg(stored).arg(twice)));
        QList<qreal> doubled;
        for (const qreal width : pictures)
            doubled << 2 * width;
        QCOMPARE(pictureWidths(*doc), doubled);

        frame(w, Stored);
        QCOMPARE(pictureWidths(*doc), pictures);
        QVERIFY(qAbs(doc->documentLayout()->documentSize().height() - stored) < 0.02 * stored);
    }

    void marginsShowThePageBackground()
    {
        WindowDriver w;
        w.click("dxfColorButton2");
        frame(w, QSize(1600, 700));
        QWidget* shown = pageOnShow(w);
        const QImage picture = shown->grab().toImage();
        const QPoint origin = originFor(shown->size());
        QVERIFY(origin.x() > 100);
        // Beside the content the field of the registration picture goes on,
        // row by row, as the picture's left edge shows it.
        for (const int y : {origin.y() + 20, shown->height() / 2, shown->height() - 20}) {
            const QColor margin = picture.pixelColor(10, y);
            const QColor edge = picture.pixelColor(origin.x() + 1, y);
            QVERIFY2(std::abs(margin.red() - edge.red()) + std::abs(margin.green() - edge.green())
                         + std::abs(margin.blue() - edge.blue()) < 30,
                     qPrintable(QString("row %1: %2 beside %3").arg(y).arg(margin.name(), edge.name())));
        }
    }
};

QTEST_MAIN(tst_PageZoom)
#include "tst_PageZoom.moc"
