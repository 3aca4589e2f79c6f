// Every kept input of the fuzz targets, read again by the same target:
// the seed corpora made from the lab's files, and the inputs that once
// broke a reader (fuzz/regressions/<target>/), each named for its fault.
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class tst_FuzzInputs : public QObject
{
    Q_OBJECT

private slots:
    void keptInputsReadCleanly_data();
    void keptInputsReadCleanly();
    void everyTargetHasASeedCorpus();
};

void tst_FuzzInputs::keptInputsReadCleanly_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    const QDir fuzz(QStringLiteral(OPLAB_SOURCE_DIR "/fuzz"));
    for (const QString& kind : { QStringLiteral("corpus"), QStringLiteral("regressions") })
        for (const QString& name : FuzzTargets::names()) {
            const QDir dir(fuzz.filePath(kind + QLatin1Char('/') + name));
            for (const QString& file : dir.entryList(QDir::Files, QDir::Name))
                QTest::addRow("%s/%s/%s", qPrintable(kind), qPrintable(name), qPrintable(file))
                    << name << dir.filePath(file);
        }
}

void tst_FuzzInputs::keptInputsReadCleanly()
{
    // A broken property or a crash stops the program with the reason.
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    FuzzTargets::find(target)(file.readAll());
}

void tst_FuzzInputs::everyTargetHasASeedCorpus()
{
    const QDir corpus(QStringLiteral(OPLAB_SOURCE_DIR "/fuzz/corpus"));
    for (const QString& name : FuzzTargets::names())
        QVERIFY2(!QDir(corpus.filePath(name)).entryList(QDir::Files).isEmpty(), qPrintable(name));
}

QTEST_MAIN(tst_FuzzInputs)
#include "tst_FuzzInputs.moc"
