#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

class QCoreApplication;

// The command line of oplab-journal:
//
//   oplab-journal [JOURNAL | LAB_DIR]      --help, --version
//
// The help is in Russian, as the window is.
//
// JOURNAL is a journal file; LAB_DIR a lab folder, whose journal is its
// "Students.DAT". Without either the window opens the journal it showed
// last. Each option is declared in the constructor and read in one place.
class JournalArguments
{
public:
    JournalArguments();

    // Parses the program's own command line: --help and --version print
    // and end the program, as does a wrong command line (status 1).
    void process(const QCoreApplication& app);
    // Parses a command line (the program's name first); false with
    // error() set when it is wrong.
    bool parse(const QStringList& arguments);
    QString error() const { return Parser.errorText(); }

    // The journal named on the command line, empty when none.
    QString journal() const;

    // The journal of a path: the path itself, or a folder's "Students.DAT".
    static QString journalOf(const QString& fileOrFolder);

private:
    void read();

    QCommandLineParser Parser;
    QString Journal;
    bool Extra = false;
};
