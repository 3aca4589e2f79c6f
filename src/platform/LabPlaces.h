#pragma once

#include <QString>

// Where a lab's computers keep their lab folder, as the programs started
// with --lab find it: the folder named in the system's configuration file
// ("[Lab] Folder=..." of /etc/oplab/oplab.conf), or, when none is named,
// the account's personal lab folder, made from the lab template beside the
// installed programs.
struct LabPlaces
{
    QString ConfigFile;     // /etc/oplab/oplab.conf
    QString PersonalFolder; // $XDG_DATA_HOME/oplab/lab
    QString Template;       // share/oplab/lab beside the program

    // The places of the installed programs for this account.
    static LabPlaces system();

    // The folder the configuration file names, trimmed; empty when the file
    // is missing or names none. A file that exists but cannot be read is an
    // error: `error` receives its text and the result is empty.
    QString configuredFolder(QString* error) const;
};
