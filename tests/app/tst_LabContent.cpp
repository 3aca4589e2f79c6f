// The default lab folder as the student meets it: the theory page drawn at
// the bench's 11 px base with nothing smaller than 9 px and its pictures
// found beside it, every question of both banks answered by a section of
// the theory page (the table in data/README.md), the result lines quoted
// as the bench writes them, and the instructions' table of typical values.
#include "widgets/controls/TRichEdit.h"
#include "widgets/controls/TWebBrowser.h"

#include <QFile>
#include <QGlyphRun>
#include <QImage>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextTable>
#include <QtTest>

namespace {

QString readUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll()).replace(QChar(0xA0), QLatin1Char(' '));
}

// The questions of an Aiken source: the lines right before an "A." line.
QStringList questions(const QString& source)
{
    const QStringList lines = readUtf8(source).split(QLatin1Char('\n'));
    QStringList found;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i + 1].startsWith(QLatin1String("A. ")))
            found << lines[i];
    return found;
}

// A document of data/ as the student reads it, as plain text with no-break
// spaces made plain: the pages as the bench's views lay them out (so
// "K<sub>сф</sub>" reads "Kсф"), the Aiken sources as they stand.
QString plainText(const QString& name)
{
    const QString path = QStringLiteral(OPLAB_SOURCE_DIR "/data/") + name;
    if (name.endsWith(QLatin1String(".htm"))) {
        TWebBrowser browser;
        browser.navigate(path);
        return browser.document()->toPlainText();
    }
    if (name.endsWith(QLatin1String(".rtf"))) {
        TRichEdit view;
        view.loadFromFile(path);
        return view.document()->toPlainText();
    }
    return readUtf8(path);
}

// The result lines the bench writes, "N" standing for a reading.
const QStringList BenchLines = {
    "K = ", "U вых = N B", "U вых.г. = N B", "Uвых.г. = N B", "Uвых.г = N B", "U`вых = N B",
    "U``вых = N B", "U1 = 3 B", "U`1 = 4 B", "U``1 = 5 B", "Uсм = 0,003 В  ", "Iвх1 = 50 nA",
    "Iвх2 = 100 nA", "Rвх= 360 К", "Rвых= 0,2 К", "Ксф = 10", "Кос.сф = 60 Дб",
};

// Whether a quotation is a result line of the bench or its beginning; a
// reading may be quoted as "…".
bool quotesTheBench(const QString& quoted)
{
    for (const QString& line : BenchLines) {
        QString pattern = QRegularExpression::escape(line);
        pattern.replace(QLatin1String("N"), QStringLiteral("(…|[0-9]*,?[0-9]+)"));
        const auto match = QRegularExpression(QRegularExpression::anchoredPattern(pattern))
                               .match(quoted, 0, QRegularExpression::PartialPreferCompleteMatch);
        if (match.hasMatch() || match.hasPartialMatch())
            return true;
    }
    return false;
}

} // namespace

class tst_LabContent : public QObject
{
    Q_OBJECT

private slots:
    void theoryPageReadsAtTheBench()
    {
        TWebBrowser browser;
        QFont base(QStringLiteral("Liberation Sans"));
        base.setPixelSize(11);
        browser.setFont(base);
        browser.resize(607, 363);
        browser.navigate(QStringLiteral(OPLAB_BINARY_DIR "/lab/1.htm"));
        QTextDocument* doc = browser.document();
        QVERIFY(doc->toPlainText().contains(QStringLiteral("Работа на стенде")));

        int pictures = 0;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            // Each run of text laid out with its own formats, as the view
            // lays it out: sub- and superscripts come out smaller.
            QTextLayout layout(block.text(), doc->defaultFont());
            QList<QTextLayout::FormatRange> formats;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                formats.append({f.position() - block.position(), f.length(), f.charFormat()});
                if (f.charFormat().isImageFormat()) {
                    // A picture beside the page, named relatively, drawn at
                    // the size the page gives it.
                    const QTextImageFormat image = f.charFormat().toImageFormat();
                    const QUrl url = browser.source().resolved(QUrl(image.name()));
                    const QImage picture = QImage::fromData(
                        browser.loadResource(QTextDocument::ImageResource, url).toByteArray());
                    QCOMPARE(picture.size(), QSize(int(image.width()), int(image.height())));
                    ++pictures;
                }
            }
            layout.setFormats(formats);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
                line.setLineWidth(580);
            layout.endLayout();
            for (const QGlyphRun& run : layout.glyphRuns())
                QVERIFY2(run.rawFont().pixelSize() >= 9, qPrintable(block.text()));
        }
        QCOMPARE(pictures, 1);
    }

    void documentsWriteAsTheBenchDoes_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("quotesResults");
        QTest::newRow("theory page") << "1.htm" << true;
        QTest::newRow("instructions") << "1.rtf" << true;
        QTest::newRow("first bank") << "Qest.aiken.txt" << false;
        QTest::newRow("second bank") << "Qest1.aiken.txt" << true;
    }
    void documentsWriteAsTheBenchDoes()
    {
        QFETCH(QString, document);
        QFETCH(bool, quotesResults);
        const QString text = plainText(document);
        QVERIFY(text.size() > 1000);

        // Every quotation of a result line is what the bench writes.
        static const QRegularExpression quotation(QStringLiteral("«([^«»]*)»"));
        static const QRegularExpression resultLine(QStringLiteral("^[UIRKК][^=]{0,12}="));
        int quoted = 0;
        for (auto m = quotation.globalMatch(text); m.hasNext();) {
            const QString q = m.next().captured(1);
            if (!resultLine.match(q).hasMatch())
                continue;
            QVERIFY2(quotesTheBench(q), qPrintable(QStringLiteral("«%1» is not what the bench writes").arg(q)));
            ++quoted;
        }
        QCOMPARE(quoted > 0, quotesResults);

        // Outside the quotations one way of writing each symbol: the
        // coefficients with the Latin K, the common-mode voltage Uсф, the
        // degree Celsius with the Cyrillic С.
        QString own = text;
        own.remove(quotation);
        static const QRegularExpression mixed(QStringLiteral(
            "(?<!\\p{L})К(сф|ос\\.сф|дБ|(?=\\s*[=/·.,;:)]))|вх\\.сф|°[A-Za-z]"));
        const auto found = mixed.match(own);
        QVERIFY2(!found.hasMatch(),
                 qPrintable(found.captured() + " in: " + own.mid(std::max<qsizetype>(0, found.capturedStart() - 40), 80)));
    }

    void instructionsGiveTypicalValues()
    {
        // The report compares the results with typical values: the
        // instructions hold them for all six parameters, each row in the
        // parameter's unit.
        TRichEdit view;
        view.loadFromFile(QStringLiteral(OPLAB_SOURCE_DIR "/data/1.rtf"));
        QTextTable* table = nullptr;
        for (QTextFrame* frame : view.document()->rootFrame()->childFrames())
            if (auto* t = qobject_cast<QTextTable*>(frame))
                table = t;
        QVERIFY(table);
        const auto cell = [table](int row, int column) {
            QTextCursor c = table->cellAt(row, column).firstCursorPosition();
            c.setPosition(table->cellAt(row, column).lastPosition(), QTextCursor::KeepAnchor);
            return c.selectedText();
        };
        const QList<std::pair<QString, QString>> parameters = {
            {"Коэффициент усиления", "дБ"},   {"Напряжение смещения", "мВ"},
            {"Входные токи", "нА"},           {"Входное сопротивление", "МОм"},
            {"Выходное сопротивление", "Ом"}, {"Коэффициент ослабления синфазного сигнала", "дБ"},
        };
        QCOMPARE(table->rows(), 1 + int(parameters.size()));
        for (int row = 1; row < table->rows(); ++row) {
            const auto& [parameter, unit] = parameters[row - 1];
            QVERIFY2(cell(row, 0).startsWith(parameter), qPrintable(cell(row, 0)));
            QCOMPARE(cell(row, 1), unit);
            QVERIFY2(!cell(row, 2).trimmed().isEmpty(), qPrintable(parameter));
        }
    }

    void everyQuestionHasItsSection()
    {
        const QString readme = readUtf8(QStringLiteral(OPLAB_SOURCE_DIR "/data/README.md"));
        QFile htm(QStringLiteral(OPLAB_SOURCE_DIR "/data/1.htm"));
        QVERIFY(htm.open(QIODevice::ReadOnly));
        const QString theory = QString::fromLatin1(htm.readAll()); // the anchors are ASCII

        const QRegularExpression row(QStringLiteral("^\\| (\\d+) \\| (.*) \\| \\[[^]]*\\]\\(1\\.htm#(\\w+)\\) \\|$"),
                                     QRegularExpression::MultilineOption);
        for (const QString& bank : {QStringLiteral("Qest"), QStringLiteral("Qest1")}) {
            const QString heading = QStringLiteral("### `%1.aiken.txt`").arg(bank);
            const qsizetype from = readme.indexOf(heading);
            QVERIFY2(from >= 0, qPrintable(heading));
            const qsizetype to = readme.indexOf(QLatin1String("\n### "), from + 1);
            const QString table = readme.mid(from, to < 0 ? -1 : to - from);

            QStringList listed;
            for (auto m = row.globalMatch(table); m.hasNext();) {
                const auto match = m.next();
                QCOMPARE(match.captured(1).toInt(), listed.size() + 1);
                listed << match.captured(2).replace(QLatin1String("\\|"), QLatin1String("|"));
                const QString anchor = QStringLiteral("id=\"%1\"").arg(match.captured(3));
                QVERIFY2(theory.contains(anchor), qPrintable(anchor));
            }
            QCOMPARE(listed, questions(QStringLiteral(OPLAB_SOURCE_DIR "/data/%1.aiken.txt").arg(bank)));
        }
    }
};

QTEST_MAIN(tst_LabContent)
#include "tst_LabContent.moc"
