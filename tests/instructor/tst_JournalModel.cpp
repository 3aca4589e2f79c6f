// The class table over journals written byte for byte: what each record
// shows, the faults of damaged journals, readings that fail, the diff of a
// new reading, the sort and filter, the counts and the CSV bytes.
#include "support/ForeignLock.h"
#include "support/JournalFixture.h"
#include "support/ScratchJournal.h"

#include "instructor/ClassColumns.h"
#include "instructor/ClassCharts.h"
#include "instructor/ClassCsv.h"
#include "instructor/JournalFilter.h"
#include "instructor/JournalModel.h"

#include <QSignalSpy>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtTest>

using namespace fixture;

namespace {

using Rows = QList<int>;

QByteArray withByte(QByteArray bytes, int at, char value)
{
    bytes[at] = value;
    return bytes;
}

// A class of five in every state: the order of each sort is plain from it.
QByteArray fiveStudents()
{
    return record(QStringLiteral("Яковлев Я.Я."), "10", "9", StudentRecord::VerdictPassed, "++++++", StudentRecord::WorkDone)
        + record(QStringLiteral("ёлкин Е.Е."), "9", "10", StudentRecord::VerdictPassed, "+-----")
        + record(QStringLiteral("Ежов Е.Е."), "007", "0")
        + record(QStringLiteral("Иванов И.И."), "12a", "4", StudentRecord::VerdictFailed)
        + record(QStringLiteral("еремеев"), "-5", "x", cp(QStringLiteral("зачет")));
}

QStringList shownTexts(const JournalModel& model, int row)
{
    QStringList texts;
    for (int c = ClassColumns::Name; c < ClassColumns::Count; ++c)
        texts << model.data(model.index(row, c)).toString();
    return texts;
}

} // namespace

class tst_JournalModel : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void recordsShowAsStored_data();
    void recordsShowAsStored();
    void damagedJournalShowsEveryReadableRecord();
    void readingsThatFail();
    void aNewReadingChangesOnlyWhatDiffers();
    void sortsByEveryColumn_data();
    void sortsByEveryColumn();
    void filtersByTextAndState_data();
    void filtersByTextAndState();
    void summaryCountsTheRowsShown();
    void plotsSplitTheScoresAtThePassMark();
    void csvBytes_data();
    void csvBytes();
    void everyMediumShowsTheSameCells();

private:
    void load(const QByteArray& bytes);

    ScratchJournal Scratch;
    QString Path;
    JournalModel Model;
};

void tst_JournalModel::init()
{
    QVERIFY(Scratch.fresh());
    Path = Scratch.journal();
    Model.clear();
}

void tst_JournalModel::load(const QByteArray& bytes)
{
    writeFile(Path, bytes);
    JournalSnapshot s = JournalSnapshot::read(Path, 1000, Model.held());
    QCOMPARE(s.State, JournalSnapshot::Read);
    Model.apply(std::move(s));
}

void tst_JournalModel::recordsShowAsStored_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("shown"); // name, code, score, test, six measurements, work
    const QString v = QStringLiteral("\u2713");
    QTest::newRow("new student") << record(QStringLiteral("Иванов И.И."), "1")
                                 << QStringList { "Иванов И.И.", "1", "0", "не сдан", "", "", "", "", "", "", "" };
    QTest::newRow("passed, two measured") << record(QStringLiteral("Петров"), "2", "8", StudentRecord::VerdictPassed, "+-+---")
                                          << QStringList { "Петров", "2", "8", "зачёт", v, "", v, "", "", "", "" };
    QTest::newRow("failed") << record(QStringLiteral("Сидоров"), "3", "4", StudentRecord::VerdictFailed)
                            << QStringList { "Сидоров", "3", "4", "незачёт", "", "", "", "", "", "", "" };
    QTest::newRow("work done") << record(QStringLiteral("Орлов"), "4", "10", StudentRecord::VerdictPassed, "++++++", StudentRecord::WorkDone)
                               << QStringList { "Орлов", "4", "10", "зачёт", v, v, v, v, v, v, "выполнена" };
    QTest::newRow("verdict with the Cyrillic е")
        << record(QStringLiteral("Котов"), "5", "7", cp(QStringLiteral("зачет")))
        << QStringList { "Котов", "5", "7", "зачет", "", "", "", "", "", "", "" };
    QTest::newRow("odd flags") << record(QStringLiteral("Лисин"), "6", "9", StudentRecord::VerdictPassed, "x+-?-+")
                               << QStringList { "Лисин", "6", "9", "зачёт", "x", v, "", "?", "", v, "" };
    QTest::newRow("name length over capacity")
        << withByte(record(QString(30, QChar(0x042F)), "7"), 0, char(200))
        << QStringList { QString(30, QChar(0x042F)), "7", "0", "не сдан", "", "", "", "", "", "", "" };
    QTest::newRow("control characters") << record(QStringLiteral("Tab\there"), "8")
                                        << QStringList { "Tab?here", "8", "0", "не сдан", "", "", "", "", "", "", "" };
}

void tst_JournalModel::recordsShowAsStored()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, shown);
    load(bytes);
    QCOMPARE(Model.rowCount(), 1);
    QCOMPARE(shownTexts(Model, 0), shown);
    // The stored verdict, with its Latin or Cyrillic e, is a tooltip away.
    const QString tip = Model.data(Model.index(0, ClassColumns::Test), Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(QString::fromLatin1(bytes.mid(42, std::min<int>(bytes[41], 8)).toHex(' ').toUpper())),
             qPrintable(tip));
    // The bench is "стенд" in every text the instructor reads.
    for (int c = 0; c < ClassColumns::Count; ++c)
        QVERIFY(!Model.data(Model.index(0, c), Qt::ToolTipRole).toString().contains(QStringLiteral("бенч")));
}

void tst_JournalModel::damagedJournalShowsEveryReadableRecord()
{
    load(record(QStringLiteral("Первый"), "7") + record(QStringLiteral("Буквы"), "12a")
         + record(QStringLiteral("Второй"), "007") + record(QStringLiteral("Странный"), "9", "5", "ok")
         + withByte(record(QStringLiteral("Длинный"), "111111"), 31, char(9)) + QByteArray(30, '\x01'));
    QCOMPARE(Model.rowCount(), 5);
    for (int row : { 1, 2, 3, 4 }) {
        QVERIFY(Model.hasFindings(row));
        QVERIFY(Model.data(Model.index(row, ClassColumns::Number)).toString().startsWith(QStringLiteral("\u26A0")));
        QCOMPARE(Model.data(Model.index(row, ClassColumns::Number), Qt::ToolTipRole).toString(),
                 Model.findings(row).join(QLatin1Char('\n')));
    }
    QVERIFY(!Model.hasFindings(0));
    QVERIFY(Model.findings(1).join(QString()).contains(QStringLiteral("шифр '12a' не число")));
    QVERIFY(Model.findings(2).join(QString()).contains(QStringLiteral("уже есть в записи 0")));
    QVERIFY(Model.findings(3).join(QString()).contains(QStringLiteral("неизвестный допуск 'ok'")));
    QVERIFY(Model.findings(4).join(QString()).contains(QStringLiteral("длина поля Shifr равна 9")));

    const JournalSnapshot s = JournalSnapshot::read(Path, 1000);
    QCOMPARE(s.EndFindings, QStringList { QStringLiteral("после записи 4 неполная запись: 30 байт из 73") });
    QCOMPARE(s.findingCount(), 5);
    QCOMPARE(s.allFindings().last(), s.EndFindings.last());

    JournalFilter filter(Model);
    filter.setState(JournalFilter::WithFindings);
    QCOMPARE(filter.shownRows(), (Rows { 1, 2, 3, 4 }));
}

void tst_JournalModel::readingsThatFail()
{
    QCOMPARE(JournalSnapshot::read(Path, 100).State, JournalSnapshot::Missing);
    QCOMPARE(JournalSnapshot::read(Scratch.path(), 100).State, JournalSnapshot::Unreadable);

    load(record(QStringLiteral("Первый"), "1"));
    {
        ForeignLock bench(Path);
        const JournalSnapshot busy = JournalSnapshot::read(Path, 100);
        QCOMPARE(busy.State, JournalSnapshot::Busy);
        Model.apply(JournalSnapshot(busy));
    }
    // A reading that failed keeps the rows.
    QCOMPARE(Model.rowCount(), 1);
    QCOMPARE(JournalSnapshot::read(Path, 100).State, JournalSnapshot::Read);
}

void tst_JournalModel::aNewReadingChangesOnlyWhatDiffers()
{
    Model.setHighlightMs(200);
    QSignalSpy reset(&Model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&Model, &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(&Model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&Model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy records(&Model, &JournalModel::recordsChanged);
    const QByteArray three = record(QStringLiteral("А"), "1") + record(QStringLiteral("Б"), "2")
        + record(QStringLiteral("В"), "3");
    load(three);
    QCOMPARE(reset.size(), 1);
    QCOMPARE(Model.highlight(0), JournalModel::NotHighlighted);

    // A bench measures for Б and two students register.
    load(record(QStringLiteral("А"), "1") + record(QStringLiteral("Б"), "2", "8", StudentRecord::VerdictPassed, "+-----")
         + record(QStringLiteral("В"), "3") + record(QStringLiteral("Г"), "4") + record(QStringLiteral("Д"), "5"));
    QCOMPARE(reset.size(), 1);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 1);
    QCOMPARE(changed[0][1].toModelIndex().row(), 1);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted[0][1].toInt(), 3);
    QCOMPARE(inserted[0][2].toInt(), 4);
    QCOMPARE(Model.highlight(0), JournalModel::NotHighlighted);
    QCOMPARE(Model.highlight(1), JournalModel::Changed);
    QCOMPARE(Model.highlight(4), JournalModel::Added);
    QCOMPARE(records.size(), 2);
    QTRY_COMPARE(Model.highlight(1), JournalModel::NotHighlighted);

    // The same again changes nothing; a journal cut short loses its tail.
    changed.clear();
    load(readFile(Path));
    QCOMPARE(changed.size(), 0);
    QCOMPARE(records.size(), 2);
    load(three.left(2 * 73));
    QCOMPARE(removed.size(), 1);
    QCOMPARE(Model.rowCount(), 2);

    // A difference read against rows the model no longer holds (the journal
    // was opened anew meanwhile) is refused.
    writeFile(Path, three);
    JournalSnapshot stale = JournalSnapshot::read(Path, 1000, Model.held());
    Model.clear();
    load(three.left(73));
    QVERIFY(!Model.apply(std::move(stale)));
    QCOMPARE(Model.rowCount(), 1);
}

void tst_JournalModel::sortsByEveryColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<Rows>("rows");
    QTest::newRow("number, descending") << int(ClassColumns::Number) << int(Qt::DescendingOrder) << Rows { 4, 3, 2, 1, 0 };
    QTest::newRow("name: case aside, ё after е") << int(ClassColumns::Name) << int(Qt::AscendingOrder) << Rows { 2, 4, 1, 3, 0 };
    QTest::newRow("code: by value, non-numbers last") << int(ClassColumns::Code) << int(Qt::AscendingOrder) << Rows { 4, 2, 1, 0, 3 };
    QTest::newRow("score: by value") << int(ClassColumns::Score) << int(Qt::AscendingOrder) << Rows { 2, 3, 0, 1, 4 };
    QTest::newRow("score, descending") << int(ClassColumns::Score) << int(Qt::DescendingOrder) << Rows { 4, 1, 0, 3, 2 };
    QTest::newRow("test: not taken, fail, pass by score, other")
        << int(ClassColumns::Test) << int(Qt::AscendingOrder) << Rows { 2, 3, 0, 1, 4 };
    QTest::newRow("first measurement, ties in journal order")
        << int(ClassColumns::FirstMeasurement) << int(Qt::AscendingOrder) << Rows { 2, 3, 4, 0, 1 };
    QTest::newRow("work") << int(ClassColumns::Work) << int(Qt::DescendingOrder) << Rows { 0, 1, 2, 3, 4 };
}

void tst_JournalModel::sortsByEveryColumn()
{
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(Rows, rows);
    load(fiveStudents());
    JournalFilter filter(Model);
    filter.sort(column, Qt::SortOrder(order));
    QCOMPARE(filter.shownRows(), rows);
}

void tst_JournalModel::filtersByTextAndState_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    QTest::addColumn<Rows>("rows");
    QTest::newRow("all") << QString() << int(JournalFilter::AllStudents) << Rows { 0, 1, 2, 3, 4 };
    QTest::newRow("case and ё aside") << QStringLiteral("ЕЛ") << int(JournalFilter::AllStudents) << Rows { 1 };
    QTest::newRow("ё finds е") << QStringLiteral("ё") << int(JournalFilter::AllStudents) << Rows { 0, 1, 2, 4 };
    QTest::newRow("code") << QStringLiteral("00") << int(JournalFilter::AllStudents) << Rows { 2 };
    QTest::newRow("not tested") << QString() << int(JournalFilter::NotTested) << Rows { 2 };
    QTest::newRow("passed") << QString() << int(JournalFilter::Passed) << Rows { 0, 1 };
    QTest::newRow("failed") << QString() << int(JournalFilter::Failed) << Rows { 3 };
    QTest::newRow("work done") << QString() << int(JournalFilter::WorkDone) << Rows { 0 };
    QTest::newRow("with findings") << QString() << int(JournalFilter::WithFindings) << Rows { 3, 4 };
    QTest::newRow("text and state") << QStringLiteral("ов") << int(JournalFilter::Passed) << Rows { 0 };
    QTest::newRow("outside the code page") << QStringLiteral("\u03A9") << int(JournalFilter::AllStudents) << Rows {};
}

void tst_JournalModel::filtersByTextAndState()
{
    QFETCH(QString, text);
    QFETCH(int, state);
    QFETCH(Rows, rows);
    load(fiveStudents());
    JournalFilter filter(Model);
    filter.setText(text);
    filter.setState(JournalFilter::State(state));
    QCOMPARE(filter.shownRows(), rows);
}

void tst_JournalModel::summaryCountsTheRowsShown()
{
    load(fiveStudents());
    JournalFilter filter(Model);
    ClassSummary all;
    all.Registered = 5;
    all.Tested = 3;
    all.Passed = 2;
    all.Failed = 1;
    all.NotTested = 1;
    all.WorkDone = 1;
    all.Scores = { 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1 };
    all.Measured = { 2, 1, 1, 1, 1, 1 };
    QCOMPARE(filter.summary(), all);
    filter.setText(QStringLiteral("Иванов"));
    QCOMPARE(filter.summary().Registered, 1);
    QCOMPARE(filter.summary().Failed, 1);
    QCOMPARE(filter.summary().Scores[4], 1);
}

void tst_JournalModel::plotsSplitTheScoresAtThePassMark()
{
    ClassSummary s;
    s.Scores = { 0, 0, 0, 0, 0, 0, 2, 3, 0, 0, 1 };
    s.Measured = { 4, 3, 0, 0, 0, 1 };
    s.Passed = 4;
    const std::unique_ptr<QChart> scores(ClassCharts::scores(s));
    const auto* bars = qobject_cast<QStackedBarSeries*>(scores->series()[0]);
    QCOMPARE(bars->barSets()[0]->at(6), 2.0); // 6 fails
    QCOMPARE(bars->barSets()[0]->at(7), 0.0);
    QCOMPARE(bars->barSets()[1]->at(7), 3.0); // 7 passes
    QCOMPARE(bars->barSets()[1]->at(10), 1.0);
    const auto* mark = qobject_cast<QLineSeries*>(scores->series()[1]);
    QCOMPARE(mark->at(0).x(), 6.5);
    QVERIFY(mark->at(1).y() > 3);

    // The first measurement on top: the bars run from the sixth up.
    const std::unique_ptr<QChart> measured(ClassCharts::measurements(s));
    const QBarSet* done = qobject_cast<QHorizontalBarSeries*>(measured->series()[0])->barSets()[0];
    QCOMPARE(done->at(5), 4.0);
    QCOMPARE(done->at(0), 1.0);
}

void tst_JournalModel::csvBytes_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("lines");
    const QString head = QStringLiteral("Коэффициент усиления|Напряжение смещения|Входные токи|Входное сопротивление|"
                                        "Выходное сопротивление|Коэффициент ослабления синфазного сигнала|Работа\r\n");
    QTest::newRow("semicolon")
        << QChar(';')
        << QStringLiteral("№;Ф.И.О.;Шифр;Баллы;Тест;") + QString(head).replace('|', ';')
            + QStringLiteral("1;\"Петров, \"\"Пётр\"\"\";-5;10;зачёт;да;да;да;да;да;да;выполнена\r\n"
                             "0;'=1+2;12;0;не сдан;нет;нет;нет;нет;нет;x;\r\n");
    QTest::newRow("comma") << QChar(',')
                           << QStringLiteral("№,Ф.И.О.,Шифр,Баллы,Тест,") + QString(head).replace('|', ',')
            + QStringLiteral("1,\"Петров, \"\"Пётр\"\"\",-5,10,зачёт,да,да,да,да,да,да,выполнена\r\n"
                             "0,'=1+2,12,0,не сдан,нет,нет,нет,нет,нет,x,\r\n");
}

void tst_JournalModel::csvBytes()
{
    QFETCH(QChar, separator);
    QFETCH(QString, lines);
    // A name typed as a formula must stay text in the spreadsheet.
    load(record(QStringLiteral("=1+2"), "12", "0", StudentRecord::VerdictNew, "-----x")
         + record(QStringLiteral("Петров, \"Пётр\""), "-5", "10", StudentRecord::VerdictPassed, "++++++", StudentRecord::WorkDone));
    QCOMPARE(ClassCsv::write(Model, { 1, 0 }, separator), QByteArray("\xEF\xBB\xBF") + lines.toUtf8());
}

void tst_JournalModel::everyMediumShowsTheSameCells()
{
    // The window's table, the report and the CSV differ only where the
    // medium asks: the table marks a record with findings, the CSV says
    // "да" and "нет" for the measurements.
    load(fiveStudents() + record(QStringLiteral("Лисин"), "11", "8", StudentRecord::VerdictPassed, "+x----")
         + record(QStringLiteral("Дублев"), "11"));
    QVERIFY(Model.hasFindings(6));
    const QByteArray csv = ClassCsv::write(Model, { 0, 1, 2, 3, 4, 5, 6 }, QLatin1Char('\t'));
    const QStringList csvLines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    // The heads as the instructor reads them: each measurement by its
    // symbol in the window and the report, by its name in the CSV.
    QStringList heads;
    for (int c = 0; c < ClassColumns::Count; ++c)
        heads << Model.headerData(c, Qt::Horizontal).toString();
    QCOMPARE(heads.join(QLatin1Char(' ')), QStringLiteral("№ Ф.И.О. Шифр Баллы Тест Ку Uсм Iвх Rвх Rвых КОСС Работа"));
    QCOMPARE(csvLines[0].split(QLatin1Char('\t')).mid(5, 6),
             QStringList({ QStringLiteral("Коэффициент усиления"), QStringLiteral("Напряжение смещения"),
                           QStringLiteral("Входные токи"), QStringLiteral("Входное сопротивление"),
                           QStringLiteral("Выходное сопротивление"),
                           QStringLiteral("Коэффициент ослабления синфазного сигнала") }));
    for (int c = 0; c < ClassColumns::Count; ++c) {
        const QString head = Model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(head, ClassColumns::title(c, ClassColumns::Report));
        QCOMPARE(csvLines[0].split(QLatin1Char('\t'))[c],
                 ClassColumns::isMeasurement(c) ? Model.headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString() : head);
        for (int row = 0; row < Model.rowCount(); ++row) {
            const QString shown = Model.data(Model.index(row, c)).toString();
            const QString printed = ClassColumns::cell(c, Model.record(row), row, ClassColumns::Report);
            QCOMPARE(printed, c == ClassColumns::Number ? QString::number(row) : shown);
            const QString exported = csvLines[row + 1].split(QLatin1Char('\t'))[c];
            if (ClassColumns::isMeasurement(c) && (shown.isEmpty() || shown == QStringLiteral("\u2713")))
                QCOMPARE(exported, shown.isEmpty() ? QStringLiteral("нет") : QStringLiteral("да"));
            else
                QCOMPARE(exported, printed);
        }
    }
}

QTEST_MAIN(tst_JournalModel)
#include "tst_JournalModel.moc"
