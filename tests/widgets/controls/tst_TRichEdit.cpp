// The instructions view: loading a rich-text file replaces its text; a file
// that cannot be opened throws and leaves the text as it was.
#include "platform/EFOpenError.h"
#include "widgets/controls/TRichEdit.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

class tst_TRichEdit : public QObject
{
    Q_OBJECT

private slots:
    void loadingReplacesTheText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("1.rtf");
        writeFile(path, "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}"
                        "\\f0\\b \\'d2\\'e5\\'ea\\'f1\\'f2\\b0\\par second\\par}");
        TRichEdit view;
        view.setPlainText("placeholder\nlines");
        view.loadFromFile(path);
        QCOMPARE(view.toPlainText(), QString("Текст\nsecond"));
        QVERIFY(view.document()->begin().begin().fragment().charFormat().fontWeight() >= QFont::Bold);
        QVERIFY(view.isReadOnly());

        // A second load reads the file as it stands then, and adds nothing.
        writeFile(path, "{\\rtf1 changed}");
        view.loadFromFile(path);
        QCOMPARE(view.toPlainText(), QString("changed"));

        // The same file again over a text set since reads it again.
        view.setPlainText("built-in");
        view.loadFromFile(path);
        QCOMPARE(view.toPlainText(), QString("changed"));
    }

    void fileThatCannotBeOpenedThrows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing file") << QString("1.rtf");
        QTest::newRow("missing folder") << QString("no such folder/1.rtf");
        QTest::newRow("a folder") << QString("folder");
    }
    void fileThatCannotBeOpenedThrows()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QString path = dir.filePath(name);
        TRichEdit view;
        view.setPlainText("old text");
        try {
            view.loadFromFile(path);
            QFAIL("no exception");
        } catch (const EFOpenError& e) {
            QCOMPARE(e.message(), QString("Cannot open file %1").arg(path));
        }
        QCOMPARE(view.toPlainText(), QString("old text"));
    }

    void picturesAreShown()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 40));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");

        QTemporaryDir dir;
        const QString path = dir.filePath("1.rtf");
        writeFile(path, "{\\rtf1 {\\pict\\pngblip " + png.toHex() + "}}");
        TRichEdit view;
        view.resize(200, 200);
        view.loadFromFile(path);
        // The picture is drawn from the document's own resources.
        const QImage shot = view.viewport()->grab().toImage();
        bool found = false;
        for (int y = 0; y < shot.height() && !found; ++y)
            for (int x = 0; x < shot.width() && !found; ++x)
                found = shot.pixelColor(x, y) == QColor(200, 30, 40);
        QVERIFY(found);
    }

    void labInstructionsRead()
    {
        // The instructions of the default lab folder read as text: Russian
        // letters and no control words left over.
        TRichEdit view;
        view.loadFromFile(QStringLiteral(OPLAB_SOURCE_DIR "/data/1.rtf"));
        const QString text = view.toPlainText();
        QVERIFY(text.size() > 100);
        QVERIFY(text.contains(QRegularExpression("[А-Яа-я]{5}")));
        QVERIFY(!text.contains('\\'));
        QVERIFY(!text.contains('{'));
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
    }
};

QTEST_MAIN(tst_TRichEdit)
#include "tst_TRichEdit.moc"
