#pragma once

#include <QFrame>
#include <QStringList>

class QLabel;
class QPushButton;

// The strip above the class table that names what is wrong: the journal's
// faults as the journal check finds them (the first few, and all of them a
// click away), and a journal that can no longer be read while the table
// keeps what was read last. Hidden when there is nothing to say.
class JournalBanner : public QFrame
{
    Q_OBJECT

public:
    explicit JournalBanner(QWidget* parent = nullptr);

    const QStringList& findings() const { return FFindings; }
    void setFindings(const QStringList& findings);
    const QString& problem() const { return FProblem; }
    void setProblem(const QString& problem);

    // The banner's text as shown (plain, for tests and the status line).
    QString text() const;

    // Findings named in the banner itself.
    static constexpr int Listed = 3;

private:
    void refresh();
    void showAll();

    QStringList FFindings;
    QString FProblem;
    QLabel* Text;
    QPushButton* All;
};
