#include "instructor/JournalWindow.h"

#include "instructor/ClassColumns.h"
#include "instructor/ClassCsv.h"
#include "instructor/ClassReport.h"
#include "instructor/JournalArguments.h"
#include "instructor/JournalBanner.h"
#include "instructor/SummaryPanel.h"
#include "journal/Journal.h"
#include "journal/JournalHistory.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Room left around the window on its first start for the frame the window
// system draws around it (title bar, borders).
const QSize FrameAllowance(16, 40);

// The width of the counts and plots at the first start: the eleven scores'
// labels side by side and the legend fit in it.
constexpr int SummaryWidth = 330;

// A report longer than this many rows is printed only when confirmed.
constexpr int LongReport = 2000;

struct CsvKind
{
    QString Filter;
    QChar Separator;
};

const QList<CsvKind>& csvKinds()
{
    static const QList<CsvKind> kinds {
        { QStringLiteral("CSV, разделитель «;» (*.csv)"), QLatin1Char(';') },
        { QStringLiteral("CSV, разделитель «,» (*.csv)"), QLatin1Char(',') },
        { QStringLiteral("Текст, разделитель табуляция (*.tsv *.txt)"), QLatin1Char('\t') },
    };
    return kinds;
}

QString timeText(const QDateTime& when)
{
    return when.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

JournalWindow::JournalWindow(QWidget* parent)
    : QMainWindow(parent)
    , Filter(Model)
{
    setWindowTitle(QStringLiteral("Журнал лабораторной работы"));

    // The search and the state filter over the table.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 0);
    auto* bar = new QHBoxLayout;
    Search = new QLineEdit(central);
    Search->setPlaceholderText(QStringLiteral("Ф.И.О. или шифр"));
    Search->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QStringLiteral("&Поиск:"), central);
    searchLabel->setBuddy(Search);
    StateBox = new QComboBox(central);
    for (auto state : { JournalFilter::AllStudents, JournalFilter::NotTested, JournalFilter::Passed,
                        JournalFilter::Failed, JournalFilter::WorkDone, JournalFilter::WithFindings }) {
        QString name = JournalFilter::stateName(state);
        name[0] = name[0].toUpper();
        StateBox->addItem(name, int(state));
    }
    auto* stateLabel = new QLabel(QStringLiteral("П&оказать:"), central);
    stateLabel->setBuddy(StateBox);
    bar->addWidget(searchLabel);
    bar->addWidget(Search, 2);
    bar->addSpacing(12);
    bar->addWidget(stateLabel);
    bar->addWidget(StateBox, 1);
    bar->addStretch(1);
    layout->addLayout(bar);

    // The banner over the table, or a message in its place; the counts and
    // plots beside them keep their height whatever the banner says.
    Splitter = new QSplitter(Qt::Horizontal, central);
    auto* left = new QWidget(Splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    Banner = new JournalBanner(left);
    leftLayout->addWidget(Banner);
    Pages = new QStackedWidget(left);
    leftLayout->addWidget(Pages, 1);
    auto* messagePage = new QWidget(Pages);
    auto* messageLayout = new QVBoxLayout(messagePage);
    Message = new QLabel(messagePage);
    Message->setWordWrap(true);
    Message->setAlignment(Qt::AlignCenter);
    Message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = Message->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    Message->setFont(big);
    OpenButton = new QPushButton(QStringLiteral("Открыть журнал…"), messagePage);
    messageLayout->addStretch(1);
    messageLayout->addWidget(Message);
    messageLayout->addWidget(OpenButton, 0, Qt::AlignHCenter);
    messageLayout->addStretch(2);
    connect(OpenButton, &QPushButton::clicked, this, &JournalWindow::chooseJournal);
    Pages->addWidget(messagePage);

    Table = new QTableView(Pages);
    Table->setModel(&Filter);
    Table->setSortingEnabled(true);
    Table->sortByColumn(ClassColumns::Number, Qt::AscendingOrder);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setAlternatingRowColors(true);
    Table->setWordWrap(false);
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 8);
    QHeaderView* head = Table->horizontalHeader();
    head->setHighlightSections(false);
    head->setStretchLastSection(true);
    // Columns as wide as their widest value or their head (with room for
    // the sort mark), the name as wide as a long name.
    const QFontMetrics m = Table->fontMetrics();
    for (int c = 0; c < ClassColumns::Count; ++c) {
        const QString widest = ClassColumns::widest(c, ClassColumns::Table);
        const QString head = ClassColumns::title(c, ClassColumns::Table);
        Table->setColumnWidth(c, std::max(m.horizontalAdvance(widest) + 14, m.horizontalAdvance(head) + 26));
    }
    Pages->addWidget(Table);
    Splitter->addWidget(left);

    Summary = new SummaryPanel(Splitter);
    Splitter->addWidget(Summary);
    Splitter->setStretchFactor(0, 3);
    Splitter->setStretchFactor(1, 1);
    Splitter->setCollapsible(0, false);
    layout->addWidget(Splitter, 1);
    setCentralWidget(central);

    Status = new QLabel(this);
    statusBar()->addWidget(Status, 1);

    buildMenus();

    connect(Search, &QLineEdit::textChanged, this, [this](const QString& text) {
        Filter.setText(text);
        updateSummary();
        updateStatus();
    });
    connect(StateBox, &QComboBox::currentIndexChanged, this, [this] {
        Filter.setState(JournalFilter::State(StateBox->currentData().toInt()));
        updateSummary();
        updateStatus();
    });
    connect(&Model, &JournalModel::recordsChanged, this, &JournalWindow::updateSummary);
    connect(&Follower, &JournalFollower::read, this, &JournalWindow::journalRead);
    connect(&Follower, &JournalFollower::historyKept, this, [this] {
        takeHistory(Follower.takeHistory());
        updateStatus();
    });
    Follower.setHeld([this] { return Model.held(); });

    QSettings settings;
    // Later starts restore the size and place the instructor left.
    if (!restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray()))
        fitScreen();
    if (!Splitter->restoreState(settings.value(QStringLiteral("window/splitter")).toByteArray())) {
        // The whole table in view, the plots beside it.
        int tableWidth = 2 * Table->frameWidth() + Table->verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < ClassColumns::Count; ++c)
            tableWidth += Table->columnWidth(c);
        // On a narrow screen the plots keep the width their axis labels
        // need, and the table scrolls.
        const int plots = std::max(SummaryWidth, width() - tableWidth);
        Splitter->setSizes({ std::max(width() - plots, 200), plots });
    }
    if (head->restoreState(settings.value(QStringLiteral("window/columns")).toByteArray()))
        Table->sortByColumn(head->sortIndicatorSection(), head->sortIndicatorOrder());

    showMessage(QStringLiteral("Журнал не выбран.\nОткройте журнал «%1» или папку лаборатории: меню «Файл».")
                    .arg(Journal::DefaultFileName),
                true);
    updateStatus();
}

void JournalWindow::fitScreen()
{
    // The size the window is laid out for, no larger than the screen's
    // available area less room for the window's frame, in its middle.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size = QSize(1180, 740).boundedTo(area.size() - FrameAllowance);
    resize(size);
    move(area.topLeft() + QPoint((area.width() - size.width() - FrameAllowance.width()) / 2,
                                 (area.height() - size.height() - FrameAllowance.height()) / 2));
}

JournalWindow::~JournalWindow()
{
    saveSettings();
}

void JournalWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    QAction* open = file->addAction(QStringLiteral("&Открыть журнал…"), this, &JournalWindow::chooseJournal);
    open->setShortcut(QKeySequence::Open);
    file->addAction(QStringLiteral("Открыть &папку лаборатории…"), this, &JournalWindow::chooseLabFolder);
    file->addSeparator();
    QAction* csv = file->addAction(QStringLiteral("&Экспорт в CSV…"), this, &JournalWindow::chooseCsv);
    csv->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction* print = file->addAction(QStringLiteral("Печать от&чёта…"), this, &JournalWindow::printReport);
    print->setShortcut(QKeySequence::Print);
    file->addAction(QStringLiteral("Отчёт в P&DF…"), this, &JournalWindow::chooseReportFile);
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("&Выход"), this, &QWidget::close);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Вид"));
    QAction* refresh = view->addAction(QStringLiteral("&Обновить"), &Follower, &JournalFollower::readNow);
    refresh->setShortcut(QKeySequence::Refresh);
    view->addAction(QStringLiteral("&Сбросить поиск и отбор"), this, [this] {
        Search->clear();
        StateBox->setCurrentIndex(0);
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Справка"));
    help->addAction(QStringLiteral("&О программе"), this, &JournalWindow::about);
}

void JournalWindow::openJournal(const QString& path)
{
    const QString journal = JournalArguments::journalOf(path);
    Path = QFileInfo(journal).absoluteFilePath();
    Model.clear();
    Records = 0;
    Trouble.clear();
    Findings.clear();
    HistoryTrouble.clear();
    LastRead = QDateTime();
    Banner->clear();
    setWindowTitle(QStringLiteral("Журнал лабораторной работы — %1").arg(QDir::toNativeSeparators(Path)));
    showMessage(QStringLiteral("Чтение журнала…"), false);
    QSettings().setValue(QStringLiteral("journal"), Path);
    updateSummary();
    // The versions kept while the window was closed (by the timer of
    // `journal keep`) are looked through from the one it saw last.
    Follower.setSeenVersion(QSettings().value(seenKey()).toString());
    Follower.follow(Path);
    updateStatus();
}

void JournalWindow::journalRead()
{
    JournalSnapshot s = Follower.takeSnapshot();
    const QString where = QDir::toNativeSeparators(s.Path);
    switch (s.State) {
    case JournalSnapshot::Read: {
        const QStringList findings = s.allFindings();
        const QDateTime readAt = s.ReadAt;
        const int count = s.Count;
        if (!Model.apply(std::move(s))) {
            Follower.readNow(); // read against rows no longer held
            return;
        }
        LastRead = readAt;
        Records = count;
        Trouble.clear();
        Findings = findings;
        Banner->setFindings(Findings);
        Banner->setProblem({});
        if (Records == 0)
            showMessage(QStringLiteral("В журнале пока нет ни одной записи.\n"
                                       "Студенты появятся здесь, как только зарегистрируются на стенде."),
                        false);
        else
            Pages->setCurrentWidget(Table);
        break;
    }
    case JournalSnapshot::Busy:
        Trouble = QStringLiteral("журнал занят стендом, повторное чтение через %1 с")
                      .arg(Follower.pollInterval() / 1000.0, 0, 'g', 2);
        if (!Model.isLoaded())
            showMessage(QStringLiteral("Журнал занят стендом, который записывает в него результат.\n"
                                       "Окно прочитает журнал при следующей проверке."),
                        false);
        break;
    case JournalSnapshot::Missing:
    case JournalSnapshot::Unreadable: {
        const QString why = s.State == JournalSnapshot::Missing
            ? QStringLiteral("Журнал не найден: %1").arg(where)
            : QStringLiteral("Журнал не удаётся прочитать: %1 (%2)").arg(where, s.Error);
        if (Model.isLoaded()) {
            // Keep what was read; say that it is no longer the journal.
            Trouble = why;
            Banner->setProblem(why + QStringLiteral(". Показано прочитанное в %1; окно проверяет журнал каждые %2 с.")
                                         .arg(timeText(LastRead))
                                         .arg(Follower.pollInterval() / 1000.0, 0, 'g', 2));
        } else if (s.State == JournalSnapshot::Missing) {
            showMessage(why + QStringLiteral(".\nСтенд создаёт журнал при первой регистрации студента; "
                                             "окно покажет его, как только он появится."),
                        true);
        } else {
            showMessage(why + QStringLiteral(".\nОкно пробует прочитать его снова каждые %1 с.")
                                  .arg(Follower.pollInterval() / 1000.0, 0, 'g', 2),
                        true);
        }
        break;
    }
    }
    updateStatus();
}

QString JournalWindow::seenKey() const
{
    return QStringLiteral("history/%1").arg(QFileInfo(JournalHistory(Path, Follower.historyRoot()).folder()).fileName());
}

void JournalWindow::takeHistory(const JournalSnapshot& s)
{
    HistoryTrouble = s.HistoryError.isEmpty() ? QString() : QStringLiteral("история журнала не ведётся: ") + s.HistoryError;
    QString before = s.VersionsAfter;
    for (const auto& [version, changes] : s.Versions) {
        QStringList foreign;
        for (const JournalChange& c : changes)
            if (c.foreign())
                foreign << c.line().mid(2);
        Banner->addForeignChanges(Path, before, version, foreign);
        before = version;
    }
    if (!s.Latest.isEmpty())
        QSettings().setValue(seenKey(), s.Latest);
}

void JournalWindow::showMessage(const QString& text, bool offerOpen)
{
    Message->setText(text);
    OpenButton->setVisible(offerOpen);
    Pages->setCurrentIndex(0);
}

QString JournalWindow::message() const
{
    return Pages->currentWidget() == Table ? QString() : Message->text();
}

QString JournalWindow::statusText() const
{
    return Status->text();
}

void JournalWindow::updateStatus()
{
    QStringList parts;
    if (Path.isEmpty()) {
        parts << QStringLiteral("Журнал не выбран");
    } else {
        parts << QStringLiteral("Журнал: %1").arg(QDir::toNativeSeparators(Path));
        if (LastRead.isValid()) {
            parts << QStringLiteral("записей: %1").arg(Records);
            if (Filter.rowCount() != Records)
                parts << QStringLiteral("показано: %1").arg(Filter.rowCount());
            parts << QStringLiteral("прочитан в %1").arg(timeText(LastRead));
        }
        if (!Trouble.isEmpty())
            parts << Trouble;
        if (!HistoryTrouble.isEmpty())
            parts << HistoryTrouble;
    }
    Status->setText(parts.join(QStringLiteral("  ·  ")));
}

void JournalWindow::updateSummary()
{
    Summary->setSummary(Filter.summary());
    updateStatus();
}

QString JournalWindow::suggestedFile(const QString& stem, const QString& suffix) const
{
    const QString folder = Path.isEmpty() ? QDir::homePath() : QFileInfo(Path).absolutePath();
    return QDir(folder).filePath(
        QStringLiteral("%1-%2.%3").arg(stem, QDate::currentDate().toString(Qt::ISODate), suffix));
}

void JournalWindow::chooseJournal()
{
    const QString start = Path.isEmpty() ? QDir::homePath() : Path;
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Открыть журнал"), start,
        QStringLiteral("Журнал (*.DAT *.dat);;Все файлы (*)"));
    if (!file.isEmpty())
        openJournal(file);
}

void JournalWindow::chooseLabFolder()
{
    const QString start = Path.isEmpty() ? QDir::homePath() : QFileInfo(Path).absolutePath();
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Папка лаборатории"), start);
    if (!folder.isEmpty())
        openJournal(folder);
}

bool JournalWindow::exportCsv(const QString& fileName, QChar separator)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(ClassCsv::write(Model, Filter.shownRows(), separator));
    return file.commit();
}

void JournalWindow::chooseCsv()
{
    QSettings settings;
    const QList<CsvKind>& kinds = csvKinds();
    QStringList filters;
    for (const CsvKind& k : kinds)
        filters << k.Filter;
    QString chosen = filters.value(settings.value(QStringLiteral("csv/kind"), 0).toInt(), filters[0]);
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Экспорт в CSV"),
                                                      suggestedFile(QStringLiteral("журнал"), QStringLiteral("csv")),
                                                      filters.join(QStringLiteral(";;")), &chosen);
    if (file.isEmpty())
        return;
    const int kind = std::max(0, int(filters.indexOf(chosen)));
    settings.setValue(QStringLiteral("csv/kind"), kind);
    if (!exportCsv(file, kinds[kind].Separator))
        QMessageBox::warning(this, QStringLiteral("Экспорт в CSV"),
                             QStringLiteral("Не удалось записать файл %1.").arg(QDir::toNativeSeparators(file)));
    else
        statusBar()->showMessage(QStringLiteral("Записано строк: %1 в %2")
                                     .arg(Filter.rowCount())
                                     .arg(QDir::toNativeSeparators(file)),
                                 5000);
}

ClassReport JournalWindow::report() const
{
    ClassReport r;
    r.Model = &Model;
    r.Rows = Filter.shownRows();
    r.Summary = Filter.summary();
    r.JournalPath = Path;
    r.JournalRecords = Records;
    r.Filter = Filter.description();
    r.ReadAt = LastRead;
    r.PrintedAt = QDateTime::currentDateTime();
    r.Findings = Findings;
    return r;
}

bool JournalWindow::confirmLongReport()
{
    if (Filter.rowCount() <= LongReport)
        return true;
    return QMessageBox::question(this, QStringLiteral("Отчёт"),
                                 QStringLiteral("В отчёт попадут %1 строк. Напечатать все? "
                                                "Поиск и отбор сокращают отчёт до нужной группы.")
                                     .arg(Filter.rowCount()))
        == QMessageBox::Yes;
}

namespace {

void prepare(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(15, 12, 12, 10), QPageLayout::Millimeter);
    printer.setDocName(QStringLiteral("Журнал лабораторной работы"));
    printer.setCreator(QStringLiteral("oplab-journal"));
}

} // namespace

bool JournalWindow::saveReport(const QString& fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    return report().print(printer);
}

void JournalWindow::printReport()
{
    if (!confirmLongReport())
        return;
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печать отчёта"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!report().print(printer))
        QMessageBox::warning(this, QStringLiteral("Печать отчёта"), QStringLiteral("Не удалось напечатать отчёт."));
}

void JournalWindow::chooseReportFile()
{
    if (!confirmLongReport())
        return;
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Отчёт в PDF"),
                                                      suggestedFile(QStringLiteral("отчёт"), QStringLiteral("pdf")),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    if (!saveReport(file))
        QMessageBox::warning(this, QStringLiteral("Отчёт в PDF"),
                             QStringLiteral("Не удалось записать файл %1.").arg(QDir::toNativeSeparators(file)));
    else
        statusBar()->showMessage(QStringLiteral("Отчёт записан в %1").arg(QDir::toNativeSeparators(file)), 5000);
}

void JournalWindow::about()
{
    QMessageBox::about(this, QStringLiteral("О программе"),
                       QStringLiteral("<p><b>oplab-journal %1</b></p>"
                                      "<p>Журнал лабораторной работы «Операционный усилитель» для преподавателя: "
                                      "кто зарегистрировался, как сдан тест, какие измерения выполнены. "
                                      "Окно следит за журналом, пока студенты работают на стендах, "
                                      "и само журнал никогда не изменяет.</p>")
                           .arg(QApplication::applicationVersion()));
}

void JournalWindow::saveSettings() const
{
    QSettings settings;
    settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
    settings.setValue(QStringLiteral("window/splitter"), Splitter->saveState());
    settings.setValue(QStringLiteral("window/columns"), Table->horizontalHeader()->saveState());
}
