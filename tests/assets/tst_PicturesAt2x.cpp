// The pictures on a screen of device pixel ratio 2 (run with
// QT_SCALE_FACTOR=2): every picture of the window has its @2x twin of
// exactly twice the size, rendered from the same source, and the controls
// show the twin, so nothing is scaled up and blurred; the controls that
// draw their own faces draw them at the screen's pixels.
#include "widgets/controls/TBitBtn.h"
#include "widgets/controls/TImage.h"
#include "widgets/controls/TSpeedButton.h"
#include "widgets/dxfCheckBox/TdxfCheckBox.h"
#include "widgets/dxfTimer/TdxfTimer.h"

#include <QApplication>
#include <QDirIterator>
#include <QImageReader>
#include <QtTest>

#include <memory>

class tst_PicturesAt2x : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }

    void everyPictureHasItsTwinAndThePictureControlShowsIt_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator pictures(QStringLiteral(":/pictures"));
        while (pictures.hasNext()) {
            const QString path = pictures.next();
            if (!path.contains(QLatin1String("@2x")))
                QTest::newRow(qPrintable(pictures.fileName())) << path;
        }
    }
    void everyPictureHasItsTwinAndThePictureControlShowsIt()
    {
        QFETCH(QString, path);
        const QSize own = QImageReader(path).size();
        const int dot = path.lastIndexOf('.');
        const QString twin = path.left(dot) + "@2x" + path.mid(dot);
        QCOMPARE(QImageReader(twin).size(), own * 2);

        TImage control;
        control.setAutoSize(true);
        control.setPicture(path);
        QCOMPARE(control.size(), own);
        control.show();
        QCOMPARE(control.image().size(), own * 2);
        QCOMPARE(control.image().devicePixelRatio(), 2.0);
        QCOMPARE(control.size(), own);
    }

    void buttonGlyphsAtTwiceTheSize_data()
    {
        QTest::addColumn<QString>("glyph");
        QTest::addColumn<int>("frames");
        QTest::newRow("Печать экрана") << ":/pictures/printer.png" << 2;
        QTest::newRow("Выход") << ":/pictures/exit.png" << 1;
    }
    void buttonGlyphsAtTwiceTheSize()
    {
        QFETCH(QString, glyph);
        QFETCH(int, frames);
        TBitBtn button;
        button.setNumGlyphs(frames);
        button.setGlyph(glyph);
        QCOMPARE(button.iconSize(), QSize(18, 18));
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QPixmap shown = button.icon().pixmap(button.iconSize(), 2.0, mode);
            QCOMPARE(shown.size(), QSize(36, 36));
            QCOMPARE(shown.devicePixelRatio(), 2.0);
        }
    }

    // A face drawn at the window's pixels and scaled up to the screen has
    // every 2 x 2 block of screen pixels of one colour; drawn at the
    // screen's pixels, its edges and letters fall within blocks.
    void drawnFacesAtTheScreensPixels_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("face"); // in window pixels
        QTest::newRow("check box: the strip's cell") << "check" << QRect(0, 0, 18, 17);
        QTest::newRow("check box: the caption") << "check" << QRect(20, 0, 60, 17);
        QTest::newRow("check box: its own picture") << "switch" << QRect(0, 0, 46, 30);
        QTest::newRow("timer: digits") << "digits" << QRect(2, 2, 81, 21);
        QTest::newRow("timer: drum") << "drum" << QRect(2, 2, 81, 21);
        QTest::newRow("timer: hourglass") << "hourglass" << QRect(0, 0, 85, 25);
        QTest::newRow("power button: glyph") << "power" << QRect(5, 5, 16, 16);
    }
    void drawnFacesAtTheScreensPixels()
    {
        QFETCH(QString, control);
        QFETCH(QRect, face);
        std::unique_ptr<QWidget> w;
        if (control == "check" || control == "switch") {
            auto* box = new TdxfCheckBox;
            box->setCaption(QStringLiteral("Коэфициент"));
            box->setChecked(true);
            if (control == "switch")
                box->setGlyphCheckedPicture(QStringLiteral(":/pictures/switch-on.png"));
            w.reset(box);
        } else if (control == "power") {
            auto* button = new TSpeedButton;
            button->resize(65, 25);
            button->setCaption(QStringLiteral("Выкл."));
            button->setNumGlyphs(4);
            button->setMargin(5);
            button->setGlyph(QStringLiteral(":/pictures/power.png"));
            w.reset(button);
        } else {
            auto* timer = new TdxfTimer;
            timer->setEndMin(45);
            timer->setDisplayStyle(control == "digits" ? TdxfTimer::tsIndicator
                                   : control == "drum" ? TdxfTimer::tsRevolvingDrum
                                                       : TdxfTimer::tsHourGlass);
            w.reset(timer);
        }
        w->show();
        const QImage shot = w->grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), 2.0);
        bool finer = false;
        for (int y = face.top(); y <= face.bottom() && !finer; ++y)
            for (int x = face.left(); x <= face.right() && !finer; ++x) {
                const QRgb c = shot.pixel(2 * x, 2 * y);
                finer = shot.pixel(2 * x + 1, 2 * y) != c || shot.pixel(2 * x, 2 * y + 1) != c
                        || shot.pixel(2 * x + 1, 2 * y + 1) != c;
            }
        QVERIFY(finer);
    }
};

QTEST_MAIN(tst_PicturesAt2x)
#include "tst_PicturesAt2x.moc"
