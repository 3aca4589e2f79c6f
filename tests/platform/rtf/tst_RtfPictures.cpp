// The rich-text reader's pictures: PNG and JPEG shown at their goal size,
// other kinds and damaged data left out, and the limits of bytes and pixels.
#include "platform/rtf/RtfProbe.h"
#include "platform/rtf/RtfReader.h"

#include <QImage>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QtTest>

class tst_RtfPictures : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QSizeF>("size");
        const QByteArray png = RtfProbe::hex(RtfProbe::encoded(RtfProbe::testImage(), "PNG"));
        const QByteArray jpeg = RtfProbe::hex(RtfProbe::encoded(RtfProbe::testImage(), "JPEG"));
        QTest::newRow("png, own size") << QByteArray("{\\rtf1 a{\\pict\\pngblip " + png + "}b}") << QSizeF(6, 4);
        QTest::newRow("png, goal size") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picw6\\pich4\\picwgoal1500\\pichgoal750\n"
                                                      + png + "}b}")
                                        << QSizeF(100, 50);
        QTest::newRow("png, scaled") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picwgoal1500\\pichgoal750"
                                                   "\\picscalex50\\picscaley200 "
                                                   + png + "}b}")
                                     << QSizeF(50, 100);
        QTest::newRow("jpeg") << QByteArray("{\\rtf1 a{\\pict\\jpegblip " + jpeg + "}b}") << QSizeF(6, 4);
        QTest::newRow("hex broken by line ends") << QByteArray("{\\rtf1 a{\\pict\\pngblip " + png.left(10) + "\r\n"
                                                               + png.mid(10) + "}b}")
                                                 << QSizeF(6, 4);
        QTest::newRow("binary data")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin" + QByteArray::number(RtfProbe::encoded(RtfProbe::testImage(), "PNG").size()) + " "
                          + RtfProbe::encoded(RtfProbe::testImage(), "PNG") + "}b}")
            << QSizeF(6, 4);
        QTest::newRow("shape picture, not its fallback")
            << QByteArray("{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv 1}}}\\pngblip{\\*\\blipuid 0123abcd}"
                          + png + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b}")
            << QSizeF(6, 4);
    }
    void pictures()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QSizeF, size);
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        const QList<RtfProbe::Picture> pictures = RtfProbe::picturesOf(doc);
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(pictures[0].image.size(), QSize(6, 4));
        const QColor colour = pictures[0].image.pixelColor(2, 2);
        QVERIFY2(qAbs(colour.red() - 200) < 8 && qAbs(colour.green() - 30) < 8, qPrintable(colour.name()));
        QCOMPARE(QSizeF(pictures[0].format.width(), pictures[0].format.height()), size);
        QCOMPARE(doc.toPlainText(), QString("a") + QChar::ObjectReplacementCharacter + "b");
    }

    void picturesLeftOut_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        const QByteArray png = RtfProbe::hex(RtfProbe::encoded(RtfProbe::testImage(), "PNG"));
        QTest::newRow("metafile") << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\picw10 0102030405}b}");
        QTest::newRow("bitmap") << QByteArray("{\\rtf1 a{\\pict\\dibitmap0 0102030405}b}");
        QTest::newRow("no type") << QByteArray("{\\rtf1 a{\\pict " + png + "}b}");
        QTest::newRow("not a png") << QByteArray("{\\rtf1 a{\\pict\\pngblip 00112233445566778899}b}");
        QTest::newRow("jpeg data called png") << QByteArray("{\\rtf1 a{\\pict\\pngblip "
                                                            + RtfProbe::hex(RtfProbe::encoded(RtfProbe::testImage(), "JPEG")) + "}b}");
        QTest::newRow("cut-off data") << QByteArray("{\\rtf1 a{\\pict\\pngblip " + png.left(png.size() / 2) + "}b}");
        QTest::newRow("hidden") << QByteArray("{\\rtf1 a{\\v{\\pict\\pngblip " + png + "}}b}");
        QTest::newRow("inside a skipped group") << QByteArray("{\\rtf1 a{\\*\\unknown{\\pict\\pngblip " + png + "}}b}");
        QTest::newRow("nonshppict") << QByteArray("{\\rtf1 a{\\nonshppict{\\pict\\pngblip " + png + "}}b}");
    }
    void picturesLeftOut()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QVERIFY(RtfProbe::picturesOf(doc).isEmpty());
        QCOMPARE(doc.toPlainText(), QString("ab"));
    }

    void pictureOverTheByteLimitIsLeftOut()
    {
        // A picture whose data passes the limit is dropped without keeping
        // the rest of its data.
        QByteArray rtf = "{\\rtf1 a{\\pict\\pngblip " + RtfProbe::hex(RtfProbe::encoded(RtfProbe::testImage(), "PNG"));
        rtf += QByteArray(2 * RtfReader::MaxPictureBytes, '0');
        rtf += "}b}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QVERIFY(RtfProbe::picturesOf(doc).isEmpty());
        QCOMPARE(doc.toPlainText(), QString("ab"));
    }

    void pictureOverThePixelLimitIsLeftOut()
    {
        // Small on disk, huge when decoded.
        QImage big(4097, 4097, QImage::Format_Mono);
        big.fill(0);
        const QByteArray rtf = "{\\rtf1 a{\\pict\\pngblip " + RtfProbe::hex(RtfProbe::encoded(big, "PNG")) + "}b}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QVERIFY(RtfProbe::picturesOf(doc).isEmpty());
        QCOMPARE(doc.toPlainText(), QString("ab"));
    }

    void picturesShareAPixelBudget()
    {
        QImage large(4096, 4096, QImage::Format_Mono);
        large.fill(0);
        const QByteArray picture = "{\\pict\\pngblip " + RtfProbe::hex(RtfProbe::encoded(large, "PNG")) + "}";
        QTextDocument doc;
        RtfReader::read("{\\rtf1 " + picture + picture + picture + "}", doc);
        QCOMPARE(RtfProbe::picturesOf(doc).size(), int(RtfReader::MaxAllPicturePixels / RtfReader::MaxPicturePixels));
    }

    // ------------------------------------------------------------ skipped destinations
};

QTEST_MAIN(tst_RtfPictures)
#include "tst_RtfPictures.moc"
