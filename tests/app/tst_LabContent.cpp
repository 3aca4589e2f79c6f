// The default lab folder as the student meets it: the theory page drawn at
// the bench's 11 px base with nothing smaller than 9 px and its pictures
// found beside it, the diagram kept in data/ the one the build renders,
// and every question of both banks answered by a section of the theory
// page (the table in data/README.md).
#include "platform/controls/TWebBrowser.h"

#include <QFile>
#include <QGlyphRun>
#include <QImage>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextLayout>
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

    void diagramKeptBesideTheSource()
    {
        // data/1.htm opened from the source tree shows the diagram that the
        // bench's lab folder gets.
        const QImage kept(QStringLiteral(OPLAB_SOURCE_DIR "/data/schematic.png"));
        const QImage rendered(QStringLiteral(OPLAB_BINARY_DIR "/share/oplab/lab/schematic.png"));
        QVERIFY(!rendered.isNull());
        QVERIFY2(kept.convertToFormat(QImage::Format_ARGB32) == rendered.convertToFormat(QImage::Format_ARGB32),
                 "data/schematic.png is not the diagram the build renders: copy build/lab/schematic.png there");
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
