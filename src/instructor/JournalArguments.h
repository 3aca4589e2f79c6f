#pragma once

#include "platform/LabPlaces.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The command line of oplab-journal:
//
//   oplab-journal [JOURNAL | LAB_DIR]      --lab, --help, --version
//
// JOURNAL is a journal file; LAB_DIR a lab folder, whose journal is its
// "Students.DAT"; --lab names the journal of the lab folder the benches of
// this computer start in (the configured one, else the personal one).
// Without any the window opens the journal it showed last. Each option is
// declared in the constructor and read in read().
class JournalArguments
{
public:
    explicit JournalArguments(LabPlaces places = LabPlaces::system());

    // Parses a command line (the program's name first): --help and
    // --version print and end the program; false with error() set when
    // the command line is wrong.
    bool parse(const QStringList& arguments);
    QString error() const;

    // The journal named on the command line, empty when none.
    QString journal() const { return Journal; }

    // Whether the arguments ask for the help or the version, which are
    // answered without the window system (so also where there is no
    // display).
    static bool asksForHelpOrVersion(int argc, char** argv);

    // The journal of a path: the path itself, or a folder's "Students.DAT".
    static QString journalOf(const QString& fileOrFolder);

private:
    void read();

    QCommandLineParser Parser;
    QCommandLineOption Help;
    QCommandLineOption Version;
    QCommandLineOption Lab;
    LabPlaces Places;
    QString Journal;
    QString Error;
};
