// Where the headers and the client area of an outlook bar lie, for one, two
// and three groups in both orientations, and which header a point hits.
#include "widgets/dxfOutlookBar/OutlookLayout.h"

#include <QtTest>

namespace {

QRect ltrb(int l, int t, int r, int b) { return OutlookLayout::ltrb(l, t, r, b); }

} // namespace

class tst_OutlookLayout : public QObject
{
    Q_OBJECT

private slots:
    void headerRects_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("active");
        QTest::addColumn<QList<QRect>>("headers");
        QTest::addColumn<QRect>("clientBounds");

        // A bar of 200 x 300 (vertical) or 300 x 200 (horizontal) with
        // headers of 21 pixels.
        QTest::newRow("vert, one group") << true << 1 << 0
            << QList<QRect>{ltrb(2, 2, 198, 23)} << ltrb(0, 21, 200, 300);
        QTest::newRow("vert, two, first active") << true << 2 << 0
            << QList<QRect>{ltrb(2, 2, 198, 23), ltrb(2, 277, 198, 298)}
            << ltrb(0, 21, 200, 279);
        QTest::newRow("vert, two, second active") << true << 2 << 1
            << QList<QRect>{ltrb(2, 2, 198, 23), ltrb(2, 23, 198, 44)} << ltrb(0, 42, 200, 300);
        QTest::newRow("vert, three, middle active") << true << 3 << 1
            << QList<QRect>{ltrb(2, 2, 198, 23), ltrb(2, 23, 198, 44), ltrb(2, 277, 198, 298)}
            << ltrb(0, 42, 200, 279);
        QTest::newRow("vert, three, none active") << true << 3 << -1
            << QList<QRect>{ltrb(2, 2, 198, 23), ltrb(2, 23, 198, 44), ltrb(2, 44, 198, 65)}
            << ltrb(0, 63, 200, 300);
        QTest::newRow("horz, one group") << false << 1 << 0
            << QList<QRect>{ltrb(2, 2, 23, 198)} << ltrb(21, 0, 300, 200);
        QTest::newRow("horz, two, second active") << false << 2 << 1
            << QList<QRect>{ltrb(2, 2, 23, 198), ltrb(23, 2, 44, 198)} << ltrb(42, 0, 300, 200);
        QTest::newRow("horz, three, first active") << false << 3 << 0
            << QList<QRect>{ltrb(2, 2, 23, 198), ltrb(256, 2, 277, 198), ltrb(277, 2, 298, 198)}
            << ltrb(21, 0, 258, 200);
        QTest::newRow("horz, three, none active") << false << 3 << -1
            << QList<QRect>{ltrb(2, 2, 23, 198), ltrb(23, 2, 44, 198), ltrb(44, 2, 65, 198)}
            << ltrb(63, 0, 300, 200);
    }

    void headerRects()
    {
        QFETCH(bool, vertical);
        QFETCH(int, count);
        QFETCH(int, active);
        QFETCH(QList<QRect>, headers);
        QFETCH(QRect, clientBounds);
        const OutlookLayout layout(vertical, vertical ? 200 : 300, vertical ? 300 : 200, 21, count,
                                   active);
        for (int i = 0; i < count; ++i)
            QCOMPARE(layout.headerRect(i), headers.at(i));
        QCOMPARE(layout.clientBounds(), clientBounds);
        // The active group lies inside the border, between the stacks:
        // never over a header.
        const QRect area = layout.clientArea();
        QCOMPARE(area, clientBounds.adjusted(2, 2, -2, -2));
        for (const QRect& header : headers)
            QVERIFY(!area.intersects(header));
    }

    void hitTest()
    {
        const OutlookLayout layout(true, 200, 300, 21, 2, 0);
        QCOMPARE(layout.headerAt({0, 0}), -1);      // the border
        QCOMPARE(layout.headerAt({1, 10}), -1);
        QCOMPARE(layout.headerAt({2, 2}), 0);       // left and top edges belong to the header
        QCOMPARE(layout.headerAt({197, 22}), 0);
        QCOMPARE(layout.headerAt({198, 10}), -1);   // the right edge does not
        QCOMPARE(layout.headerAt({100, 23}), -1);   // the client area
        QCOMPARE(layout.headerAt({100, 276}), -1);
        QCOMPARE(layout.headerAt({100, 277}), 1);
        QCOMPARE(layout.headerAt({100, 297}), 1);
        QCOMPARE(layout.headerAt({100, 298}), -1);

        const OutlookLayout none(true, 200, 300, 21, 0, -1);
        for (const QPoint p : {QPoint(0, 0), QPoint(2, 2), QPoint(100, 100), QPoint(199, 299)})
            QCOMPARE(none.headerAt(p), -1);
    }

    void tooSmallABarHitsNothingOutsideItsHeaders()
    {
        // 3 headers of 21 do not fit in 40 pixels: the end stack overlaps the
        // start stack, and the first header in order wins.
        const OutlookLayout layout(true, 100, 40, 21, 3, 0);
        QCOMPARE(layout.headerRect(2), ltrb(2, 17, 98, 38));
        QCOMPARE(layout.headerAt({50, 18}), 0);
        QVERIFY(layout.clientArea().height() < 0);
        QVERIFY(!OutlookLayout::contains(layout.clientArea(), {50, 20}));
    }
};

QTEST_APPLESS_MAIN(tst_OutlookLayout)
#include "tst_OutlookLayout.moc"
