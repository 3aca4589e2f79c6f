// "oplab --lab [DIR]": the bench changes to the folder given, or to the one
// the configuration file names, or to the account's personal lab folder,
// made from the template once and kept. A folder it cannot use gives an
// error box, and nothing is made anywhere.
#include "support/FakeDialogs.h"
#include "support/JournalFixture.h"

#include "app/LabChoice.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

const QString Template = QStringLiteral(OPLAB_BINARY_DIR "/share/oplab/lab");

} // namespace

class tst_LabChoice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void givenAndConfiguredFolders();
    void personalFolderIsMadeOnceAndKept();
    void unusableFolderIsRefusedAndNothingIsMade_data();
    void unusableFolderIsRefusedAndNothingIsMade();

private:
    LabChoice::Places places(const QString& config) const;
    QString makeLab(const QString& name) const;

    QTemporaryDir Dir;
    QString Previous;
    QString Start; // the folder the program is started in
    FakeDialogs Dialogs;
};

void tst_LabChoice::init()
{
    QVERIFY(Dir.isValid());
    Previous = QDir::currentPath();
    Start = Dir.filePath(QStringLiteral("start"));
    QVERIFY(QDir().mkpath(Start));
    QVERIFY(QDir::setCurrent(Start));
    Dialogs.Shown.clear();
}

void tst_LabChoice::cleanup()
{
    QDir::setCurrent(Previous);
    for (const QString& name : QDir(Dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        QDir(Dir.filePath(name)).removeRecursively();
}

LabChoice::Places tst_LabChoice::places(const QString& config) const
{
    LabChoice::Places p;
    p.ConfigFile = Dir.filePath(QStringLiteral("etc/oplab.conf"));
    if (!config.isNull()) {
        QDir().mkpath(Dir.filePath(QStringLiteral("etc")));
        writeFile(p.ConfigFile, config.toUtf8());
    }
    p.PersonalFolder = Dir.filePath(QStringLiteral("home/.local/share/oplab/lab"));
    p.Template = Template;
    return p;
}

QString tst_LabChoice::makeLab(const QString& name) const
{
    const QString lab = Dir.filePath(name);
    QDir().mkpath(lab);
    for (const QString& bank : { QStringLiteral("Qest.txt"), QStringLiteral("Qest1.txt") })
        QFile::copy(Template + QLatin1Char('/') + bank, lab + QLatin1Char('/') + bank);
    return lab;
}

void tst_LabChoice::givenAndConfiguredFolders()
{
    const QString given = makeLab(QStringLiteral("given lab"));
    const QString shared = makeLab(QStringLiteral("shared"));
    const LabChoice::Places configured = places(QStringLiteral("[Lab]\nFolder=%1\n").arg(shared));

    QVERIFY(LabChoice(configured, Dialogs).enter(given));
    QCOMPARE(QDir::currentPath(), given);
    QVERIFY(LabChoice(configured, Dialogs).enter());
    QCOMPARE(QDir::currentPath(), shared);
    QCOMPARE(Dialogs.Shown, QStringList());
    QVERIFY(!QFileInfo::exists(Dir.filePath(QStringLiteral("home"))));
}

void tst_LabChoice::personalFolderIsMadeOnceAndKept()
{
    // The configuration file as the package ships it names no folder.
    QFile shipped(QStringLiteral(OPLAB_SOURCE_DIR "/packaging/oplab.conf"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const LabChoice::Places p = places(QString::fromUtf8(shipped.readAll()));

    QVERIFY(LabChoice(p, Dialogs).enter());
    QCOMPARE(QDir::currentPath(), p.PersonalFolder);
    const QStringList files = QDir(Template).entryList(QDir::Files);
    QCOMPARE(QDir(p.PersonalFolder).entryList(QDir::Files), files);

    // The second start keeps what the first left and what the student's
    // work made; only a document gone missing is copied again.
    const QByteArray journal = record(QStringLiteral("Студент"), "7");
    writeFile(p.PersonalFolder + QStringLiteral("/Students.DAT"), journal);
    writeFile(p.PersonalFolder + QStringLiteral("/1.htm"), "edited");
    QVERIFY(QFile::remove(p.PersonalFolder + QStringLiteral("/1.rtf")));
    QDir::setCurrent(Start);
    QVERIFY(LabChoice(p, Dialogs).enter());
    QCOMPARE(QDir::currentPath(), p.PersonalFolder);
    QCOMPARE(readFile(p.PersonalFolder + QStringLiteral("/Students.DAT")), journal);
    QCOMPARE(readFile(p.PersonalFolder + QStringLiteral("/1.htm")), QByteArray("edited"));
    QCOMPARE(readFile(p.PersonalFolder + QStringLiteral("/1.rtf")), readFile(Template + QStringLiteral("/1.rtf")));
    QCOMPARE(Dialogs.Shown, QStringList());
}

void tst_LabChoice::unusableFolderIsRefusedAndNothingIsMade_data()
{
    QTest::addColumn<QString>("config"); // null: no configuration file
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("withTemplate");
    QTest::addColumn<QString>("message");

    const QString missing = Dir.filePath(QStringLiteral("no such lab"));
    const QString noBanks = Dir.filePath(QStringLiteral("start"));
    QTest::newRow("given folder missing") << QString() << missing << true
                                          << QStringLiteral("error: Папка лабораторной работы %1 не найдена.").arg(missing);
    QTest::newRow("configured folder missing") << QStringLiteral("[Lab]\nFolder=%1\n").arg(missing) << QString() << true
                                               << QStringLiteral("error: Папка лабораторной работы %1 не найдена.").arg(missing);
    QTest::newRow("a folder without banks") << QString() << noBanks << true
                                            << QStringLiteral("error: В папке %1 нет вопросов теста (Qest.txt, Qest1.txt): "
                                                              "это не папка лабораторной работы.").arg(noBanks);
    QTest::newRow("no template for a personal folder") << QString() << QString() << false
                                                       << QStringLiteral("error: Не найден образец лабораторной работы");
}

void tst_LabChoice::unusableFolderIsRefusedAndNothingIsMade()
{
    QFETCH(QString, config);
    QFETCH(QString, given);
    QFETCH(bool, withTemplate);
    QFETCH(QString, message);
    LabChoice::Places p = places(config);
    if (!withTemplate)
        p.Template = Dir.filePath(QStringLiteral("not installed"));

    QVERIFY(!LabChoice(p, Dialogs).enter(given));
    QCOMPARE(Dialogs.Shown.size(), 1);
    QVERIFY2(Dialogs.Shown[0].startsWith(message), qPrintable(Dialogs.Shown[0]));
    QCOMPARE(QDir::currentPath(), Start);
    QVERIFY(!QFileInfo::exists(Dir.filePath(QStringLiteral("home"))));
    QCOMPARE(QDir(Start).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(tst_LabChoice)
#include "tst_LabChoice.moc"
