#pragma once

#include <QFrame>
#include <QStringList>

class QLabel;
class QPushButton;

// The strip above the class table that names what is wrong: changes of the
// journal that no bench makes (found between its kept versions, with the
// version before them to restore), the journal's faults as the journal
// check finds them (the first few of each, and all of them a click away),
// and a journal that can no longer be read while the table keeps what was
// read last. Hidden when there is nothing to say.
class JournalBanner : public QFrame
{
    Q_OBJECT

public:
    explicit JournalBanner(QWidget* parent = nullptr);

    const QStringList& findings() const { return FFindings; }
    void setFindings(const QStringList& findings);
    const QString& problem() const { return FProblem; }
    void setProblem(const QString& problem);

    // The foreign changes found so far, each "version: change", and the
    // version kept before the first of them.
    const QStringList& foreignChanges() const { return FForeign; }
    const QString& versionBefore() const { return FBefore; }
    // Adds the foreign changes that version `version` shows against
    // `before`, the version kept before it, for the journal at `journal`.
    void addForeignChanges(const QString& journal, const QString& before, const QString& version,
                           const QStringList& changes);
    // Forgets the changes and the faults (another journal is shown).
    void clear();

    // The banner's text as shown (plain, for tests and the status line).
    QString text() const;

    // Findings named in the banner itself.
    static constexpr int Listed = 3;

private:
    void refresh();
    QString restoreCommand() const;
    void showAll();

    QStringList FFindings;
    QString FProblem;
    QStringList FForeign;
    QString FBefore;
    QString FJournal;
    QLabel* Text;
    QPushButton* All;
};
