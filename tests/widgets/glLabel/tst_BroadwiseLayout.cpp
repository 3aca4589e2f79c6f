// Full justification with a font whose every character is 10 pixels wide
// and whose words are 13 pixels high: where each word of each line goes.
#include "widgets/glLabel/BroadwiseLayout.h"

#include <QtTest>

namespace {

// "text@x,y" for every word.
QStringList layOut(const QString& caption, int width, bool spreadLast = false, int height = 13)
{
    const BroadwiseLayout layout(caption, width, spreadLast, [&](const QString& text) {
        return QSize(10 * int(text.size()), height);
    });
    QStringList out;
    for (const auto& word : layout.Words())
        out << QString("%1@%2,%3").arg(word.Text).arg(word.X).arg(word.Y);
    return out;
}

int fittedHeight(const QString& caption, int width, int height = 13)
{
    return BroadwiseLayout(caption, width, false, [&](const QString& text) {
        return QSize(10 * int(text.size()), height);
    }).FittedHeight();
}

} // namespace

class tst_BroadwiseLayout : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("spreadLast");
        QTest::addColumn<QStringList>("words");

        QTest::newRow("one line, natural spacing")
            << "ууу ееее ннннн" << 200 << false << QStringList{"ууу@0,0", " ееее@30,0", " ннннн@80,0"};
        QTest::newRow("one line spread: first at 0, last ends at the width")
            << "ууу ееее ннннн" << 200 << true << QStringList{"ууу@0,0", " ееее@60,0", " ннннн@140,0"};
        QTest::newRow("lines but the last are spread")
            << "aaa bbb ccc ddd" << 75 << false
            << QStringList{"aaa@0,0", " bbb@35,0", "ccc@0,13", " ddd@30,13"};
        // 10 pixels over three gaps: 13.33, 36.67, then 59.999996 in single
        // precision, which truncates to 59.
        QTest::newRow("fractions of the gaps add up in single precision")
            << "a b c d eeeeeeeeee" << 80 << false
            << QStringList{"a@0,0", " b@13,0", " c@36,0", " d@59,0", "eeeeeeeeee@0,13"};
        QTest::newRow("a wide word stands alone, from the left edge")
            << "a bbbbbbbbbb c" << 50 << false << QStringList{"a@0,0", "bbbbbbbbbb@0,13", "c@0,26"};
        QTest::newRow("leading spaces indent the first line only")
            << "  aaa bbb ccc" << 75 << false << QStringList{"  aaa@0,0", "bbb@0,13", " ccc@30,13"};
        QTest::newRow("spaces at a break are dropped")
            << "aaa    bbb" << 50 << false << QStringList{"aaa@0,0", "bbb@0,13"};
        QTest::newRow("a trailing space ends the text") << "aaa " << 100 << false << QStringList{"aaa@0,0"};
        QTest::newRow("tabs and line breaks are ordinary characters")
            << "a\tb c\nd" << 100 << true << QStringList{"a\tb@0,0", " c\nd@60,0"};
        QTest::newRow("empty caption") << "" << 100 << false << QStringList{};
    }
    void layout()
    {
        QFETCH(QString, caption);
        QFETCH(int, width);
        QFETCH(bool, spreadLast);
        QFETCH(QStringList, words);
        QCOMPARE(layOut(caption, width, spreadLast), words);
    }

    void lastWordOfASpreadLineEndsAtTheWidth()
    {
        // Many widths with odd leftovers: every spread line starts at 0 and
        // ends at the width, or one pixel short of it where the single
        // precision sum of the gaps falls just below a whole number.
        const QString caption = "aa bbb c dddd ee fff g hhhh ii jjj";
        for (int width = 90; width <= 140; ++width) {
            const BroadwiseLayout layout(caption, width, true, [](const QString& text) {
                return QSize(10 * int(text.size()), 13);
            });
            QMap<int, int> lineEnd;
            QMap<int, int> lineStart;
            for (const auto& word : layout.Words()) {
                lineEnd[word.Y] = word.X + 10 * int(word.Text.size());
                if (!lineStart.contains(word.Y))
                    lineStart[word.Y] = word.X;
            }
            for (int y : lineEnd.keys()) {
                QCOMPARE(lineStart[y], 0);
                const int words = int(std::count_if(layout.Words().begin(), layout.Words().end(),
                                                    [&](const auto& w) { return w.Y == y; }));
                if (words > 1)
                    QVERIFY2(lineEnd[y] == width || lineEnd[y] == width - 1,
                             qPrintable(QString("width %1, line %2 ends at %3").arg(width).arg(y).arg(lineEnd[y])));
            }
        }
    }

    void fittedHeights()
    {
        QCOMPARE(fittedHeight("aaa bbb ccc", 35), 39); // three lines of 13
        QCOMPARE(fittedHeight("aaa bbb", 100, 10), 12); // one line of 10: at least 12
        QCOMPARE(fittedHeight("aaa bbb ccc ddd", 75), 26);
    }
};

QTEST_GUILESS_MAIN(tst_BroadwiseLayout)
#include "tst_BroadwiseLayout.moc"
