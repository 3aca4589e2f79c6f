// The rich-text reader's tables: rows of cells, the column limit, and long
// tables continued as new ones.
#include "platform/rtf/RtfProbe.h"
#include "platform/rtf/RtfReader.h"

#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <QtTest>

class tst_RtfTables : public QObject
{
    Q_OBJECT

private slots:
    void tableRowsOfCells()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1 Before\\par"
                        "\\trowd\\cellx1500\\cellx3000\\pard\\intbl R\\'e5\\cell \\b U\\b0\\cell\\row"
                        "\\trowd\\cellx1500\\cellx3000\\pard\\intbl 1\\par 2\\cell 3\\cell\\row"
                        "\\pard After\\par}",
                        doc);
        QTextTable* table = nullptr;
        for (QTextFrame* f : doc.rootFrame()->childFrames())
            if ((table = qobject_cast<QTextTable*>(f)))
                break;
        QVERIFY(table);
        QCOMPARE(table->rows(), 2);
        QCOMPARE(table->columns(), 2);
        auto cellText = [&](int r, int c) {
            QTextCursor cursor = table->cellAt(r, c).firstCursorPosition();
            cursor.setPosition(table->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
            return cursor.selection().toRawText();
        };
        QCOMPARE(cellText(0, 0), QString("R\u0435"));
        QCOMPARE(cellText(0, 1), QString("U"));
        QCOMPARE(cellText(1, 0), QString("1\u20292"));
        QCOMPARE(cellText(1, 1), QString("3"));
        QVERIFY(RtfProbe::formatOf(doc, "U").fontWeight() >= QFont::Bold);
        // Column widths from \cellx: 1500 twips are 100 pixels.
        const auto widths = table->format().columnWidthConstraints();
        QCOMPARE(widths.size(), 2);
        QCOMPARE(widths[0].rawValue(), 100.0);
        // Text around the table stays outside it.
        QCOMPARE(doc.begin().text(), QString("Before"));
        QCOMPARE(doc.lastBlock().text(), QString("After"));
        QVERIFY(!QTextCursor(doc.lastBlock()).currentTable());
    }

    void tableCellsPastTheLimitGoIntoTheLastCell()
    {
        QByteArray rtf = "{\\rtf1\\trowd\\pard\\intbl ";
        for (int i = 0; i < RtfReader::MaxTableColumns + 10; ++i)
            rtf += QByteArray::number(i) + "\\cell ";
        rtf += "\\row}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        QTextTable* table = qobject_cast<QTextTable*>(doc.rootFrame()->childFrames().value(0));
        QVERIFY(table);
        QCOMPARE(table->columns(), RtfReader::MaxTableColumns);
        QVERIFY(doc.toPlainText().contains(QString::number(RtfReader::MaxTableColumns + 9)));
    }

    void longTablesGoOnAsNewTables()
    {
        QByteArray rtf = "{\\rtf1 ";
        const int rows = RtfReader::MaxTableCells / 4 + 5;
        for (int i = 0; i < rows; ++i)
            rtf += "\\trowd\\cellx1000\\cellx2000\\cellx3000\\cellx4000\\pard\\intbl r" + QByteArray::number(i)
                + "\\cell\\cell\\cell\\cell\\row";
        rtf += "}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        int total = 0;
        int tables = 0;
        for (QTextFrame* f : doc.rootFrame()->childFrames())
            if (auto* t = qobject_cast<QTextTable*>(f)) {
                total += t->rows();
                ++tables;
                QCOMPARE(t->columns(), 4);
            }
        QCOMPARE(total, rows);
        QCOMPARE(tables, 2);
        QVERIFY(doc.toPlainText().contains(QString("r%1").arg(rows - 1)));
    }

    // ------------------------------------------------------------ pictures
};

QTEST_MAIN(tst_RtfTables)
#include "tst_RtfTables.moc"
