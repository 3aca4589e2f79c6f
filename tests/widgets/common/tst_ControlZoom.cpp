// Controls on a zoomed page: the ones that size themselves fit their caption
// or picture in stored pixels and are shown at that size zoomed; the mapping
// between stored and shown pixels, edges rounded on their own.
#include "widgets/controls/PageZoom.h"
#include "widgets/controls/TImage.h"
#include "widgets/controls/TLabel.h"
#include "widgets/controls/TShape.h"
#include "widgets/controls/TStaticText.h"
#include "widgets/common/ControlZoom.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/glLabel/TglStaticText.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

const QSize Stored(300, 200);

using Make = std::function<QWidget*(QWidget* page)>;
using Change = std::function<void(QWidget* control)>;

QString picturePath()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath("picture.png");
    if (!QFile::exists(path)) {
        QImage picture(37, 23, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(path);
    }
    return path;
}

// A page designed at Stored with one control at (10, 20), shown at factor.
struct Page
{
    QWidget Widget;
    QWidget* Control = nullptr;

    Page(const Make& make, qreal factor)
    {
        Control = make(&Widget);
        Control->setObjectName("control");
        Control->move(10, 20);
        Widget.resize(Stored);
        PageZoom::apply(&Widget, Stored);
        Widget.show();
        Widget.resize(Stored * factor);
        QCoreApplication::processEvents();
    }
};

} // namespace

class tst_ControlZoom : public QObject
{
    Q_OBJECT

private slots:
    void sizedToCaptionInStoredPixels_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<Change>("change");
        const QString caption = QStringLiteral("U вых.г. = 7,52 B");
        const QString question = QStringLiteral("Какое напряжение показывает вольтметр 1 после балансировки "
                                                "усилителя при разомкнутом тумблере S1?");
        QTest::newRow("label") << Make([](QWidget* p) { return new TLabel(p); })
                               << Change([=](QWidget* c) { static_cast<TLabel*>(c)->setCaption(caption); });
        QTest::newRow("static text") << Make([](QWidget* p) { return new TStaticText(p); })
                                     << Change([=](QWidget* c) { static_cast<TStaticText*>(c)->setCaption(caption); });
        QTest::newRow("hover text") << Make([](QWidget* p) {
            auto* t = new TglStaticText(p);
            t->setAutoSize(false);
            return t;
        }) << Change([=](QWidget* c) {
            auto* t = static_cast<TglStaticText*>(c);
            t->setCaption(caption);
            t->setAutoSize(true);
        });
        QTest::newRow("justified hover text") << Make([](QWidget* p) {
            auto* t = new TglStaticText(p);
            t->resize(200, 20);
            t->setAlignment(TglStaticText::ftaBroadwise);
            t->setWordWrap(true);
            return t;
        }) << Change([=](QWidget* c) {
            static_cast<TglStaticText*>(c)->setCaption(question);
            c->repaint(); // the justified text fits its height as it is drawn
        });
        QTest::newRow("check box") << Make([](QWidget* p) { return new TdxfCheckBox(p); })
                                   << Change([=](QWidget* c) { static_cast<TdxfCheckBox*>(c)->setCaption(caption); });
        QTest::newRow("picture") << Make([](QWidget* p) {
            auto* t = new TImage(p);
            t->setAutoSize(true);
            return t;
        }) << Change([](QWidget* c) { static_cast<TImage*>(c)->setPicture(picturePath()); });
    }
    void sizedToCaptionInStoredPixels()
    {
        QFETCH(Make, make);
        QFETCH(Change, change);
        Page stored(make, 1);
        const QRect before = stored.Control->geometry();
        change(stored.Control);
        QCoreApplication::processEvents();
        const QRect fitted = stored.Control->geometry();
        QVERIFY(fitted != before);

        for (const qreal factor : {2.0, 1.5}) {
            Page zoomed(make, factor);
            change(zoomed.Control);
            QCoreApplication::processEvents();
            QCOMPARE(ControlZoom::designGeometry(zoomed.Control), fitted);
            const QRect shown = zoomed.Control->geometry();
            QVERIFY2(qAbs(shown.x() - fitted.x() * factor) <= 1 && qAbs(shown.y() - fitted.y() * factor) <= 1
                         && qAbs(shown.width() - fitted.width() * factor) <= 1
                         && qAbs(shown.height() - fitted.height() * factor) <= 1,
                     qPrintable(QString("at %1: %2,%3 %4x%5").arg(factor).arg(shown.x()).arg(shown.y())
                                    .arg(shown.width()).arg(shown.height())));
            // Back at the stored size, the control is where it was fitted.
            zoomed.Widget.resize(Stored);
            QCOMPARE(zoomed.Control->geometry(), fitted);
        }
    }

    void shapeDrawsItsEdgeZoomed_data()
    {
        QTest::addColumn<qreal>("factor");
        QTest::addColumn<QPoint>("edge");   // still the pen's
        QTest::addColumn<QPoint>("inside"); // the brush's
        QTest::newRow("stored size") << 1.0 << QPoint(0, 0) << QPoint(1, 1);
        QTest::newRow("twice: the one-pixel edge two pixels wide") << 2.0 << QPoint(1, 1) << QPoint(2, 2);
    }
    void shapeDrawsItsEdgeZoomed()
    {
        QFETCH(qreal, factor);
        QFETCH(QPoint, edge);
        QFETCH(QPoint, inside);
        Page page([](QWidget* p) {
            auto* shape = new TShape(p);
            shape->resize(20, 10);
            shape->setBrushColor(clSilver);
            shape->setPenColor(clNavy);
            return shape;
        }, factor);
        const QImage drawn = page.Control->grab().toImage();
        QCOMPARE(drawn.size(), QSize(20, 10) * factor);
        QCOMPARE(drawn.pixelColor(edge), clNavy.toQColor());
        QCOMPARE(drawn.pixelColor(inside), clSilver.toQColor());
        QCOMPARE(drawn.pixelColor(drawn.width() / 2, drawn.height() / 2), clSilver.toQColor());
    }

    void storedAndShownPixels_data()
    {
        QTest::addColumn<QRect>("design");   // the control, stored
        QTest::addColumn<qreal>("factor");
        QTest::addColumn<QRect>("part");     // a part of it, stored
        QTest::addColumn<QRect>("shown");    // the control on its page, shown
        QTest::addColumn<QRect>("partShown");
        QTest::newRow("twice") << QRect(10, 20, 30, 40) << 2.0 << QRect(5, 5, 10, 10)
                               << QRect(20, 40, 60, 80) << QRect(10, 10, 20, 20);
        QTest::newRow("one and a half, edges rounded on their own")
            << QRect(11, 21, 31, 41) << 1.5 << QRect(2, 2, 4, 4) << QRect(17, 32, 46, 61) << QRect(3, 3, 6, 6);
        QTest::newRow("no height") << QRect(10, 20, 30, 0) << 2.0 << QRect(0, 0, 10, 0)
                                   << QRect(20, 40, 60, 0) << QRect(0, 0, 20, 0);
        QTest::newRow("stored size") << QRect(10, 20, 30, 40) << 1.0 << QRect(5, 5, 10, 10)
                                     << QRect(10, 20, 30, 40) << QRect(5, 5, 10, 10);
    }
    void storedAndShownPixels()
    {
        QFETCH(QRect, design);
        QFETCH(qreal, factor);
        QFETCH(QRect, part);
        QFETCH(QRect, shown);
        QFETCH(QRect, partShown);
        Page page([&](QWidget* p) {
            auto* w = new QWidget(p);
            w->resize(design.size());
            return w;
        }, 1);
        ControlZoom::setGeometry(page.Control, design);
        page.Widget.resize(Stored * factor);
        QCoreApplication::processEvents();
        QCOMPARE(ControlZoom::factor(page.Control), factor);
        QCOMPARE(page.Control->geometry(), shown);
        QCOMPARE(ControlZoom::toShown(page.Control, part), partShown);
        QCOMPARE(ControlZoom::toDesign(page.Control, QPointF(partShown.topLeft())), part.topLeft());
    }
};

QTEST_MAIN(tst_ControlZoom)
#include "tst_ControlZoom.moc"
