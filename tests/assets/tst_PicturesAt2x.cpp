// The pictures on a screen of device pixel ratio 2 (run with
// QT_SCALE_FACTOR=2): every picture of the window has its @2x twin of
// exactly twice the size, rendered from the same source, and the controls
// show the twin, so nothing is scaled up and blurred.
#include "platform/controls/TBitBtn.h"
#include "platform/controls/TImage.h"

#include <QApplication>
#include <QDirIterator>
#include <QImageReader>
#include <QtTest>

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
};

QTEST_MAIN(tst_PicturesAt2x)
#include "tst_PicturesAt2x.moc"
