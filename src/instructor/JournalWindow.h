#pragma once

#include "instructor/JournalFilter.h"
#include "instructor/JournalFollower.h"
#include "instructor/JournalModel.h"

#include <QDateTime>
#include <QMainWindow>

class ClassReport;
class JournalBanner;
class QComboBox;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTableView;
class SummaryPanel;

// oplab-journal's window: the class journal as it stands, followed live
// while the benches write it. The class table with its search and state
// filter, the counts and plots of the rows shown beside it, a banner
// naming the journal's faults, a status line telling when the journal was
// read last; CSV export of the rows shown and the printed class report.
// The journal is only ever read.
class JournalWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit JournalWindow(QWidget* parent = nullptr);
    ~JournalWindow() override;

    // Opens the journal at `path`, or the journal of the lab folder `path`,
    // remembered for the next start.
    void openJournal(const QString& path);
    const QString& journalPath() const { return Path; }

    JournalModel& model() { return Model; }
    JournalFilter& filter() { return Filter; }
    JournalFollower& follower() { return Follower; }
    JournalBanner& banner() { return *Banner; }
    SummaryPanel& summaryPanel() { return *Summary; }
    QTableView* table() const { return Table; }
    QLineEdit* searchBox() const { return Search; }
    QComboBox* stateBox() const { return StateBox; }
    // The text of the status line.
    QString statusText() const;
    // The message shown in place of the table (no journal, none yet, an
    // empty one); empty while the table is shown.
    QString message() const;

    // The rows shown, as CSV with the separator, written to a file.
    bool exportCsv(const QString& fileName, QChar separator);
    // The class report of the rows shown.
    ClassReport report() const;
    // The report printed to a PDF file.
    bool saveReport(const QString& fileName);

private:
    void buildMenus();
    // The first start's size and place: as large as laid out, within the
    // screen's available area.
    void fitScreen();
    void journalRead();
    void takeHistory(const JournalSnapshot& snapshot);
    // The setting that holds the version of the journal's history seen last.
    QString seenKey() const;
    void showMessage(const QString& text, bool offerOpen);
    void updateStatus();
    void updateSummary();
    void chooseJournal();
    void chooseLabFolder();
    void chooseCsv();
    void printReport();
    void chooseReportFile();
    bool confirmLongReport();
    void about();
    void saveSettings() const;
    QString suggestedFile(const QString& stem, const QString& suffix) const;

    JournalModel Model;
    JournalFilter Filter;
    JournalFollower Follower;
    QString Path;
    QDateTime LastRead;
    int Records = 0;
    QString Trouble; // a reading that failed after the table was shown
    QString HistoryTrouble; // the history could not be kept
    QStringList Findings;

    QLineEdit* Search;
    QComboBox* StateBox;
    JournalBanner* Banner;
    QStackedWidget* Pages;
    QLabel* Message;
    QPushButton* OpenButton;
    QTableView* Table;
    SummaryPanel* Summary;
    QSplitter* Splitter;
    QLabel* Status;
};
