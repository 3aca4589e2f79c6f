#pragma once

#include "platform/LabPlaces.h"

#include <QString>

class Dialogs;

// The lab folder the bench works in when started with --lab. The bench
// keeps every file in its current directory (DataDir); a lab's computers
// start it from the menu, in the home folder, so --lab first changes to
// the lab folder:
// - "--lab DIR": DIR;
// - "--lab": the folder named in the system's configuration file
//   ("[Lab] Folder=..." of /etc/oplab/oplab.conf), or, when none is named,
//   the account's personal lab folder, made from the lab template at its
//   first start and kept from then on (missing documents are filled in
//   again, nothing present is replaced).
// A folder that does not exist or holds no question banks is reported in
// an error box, and nothing is made: the program then ends with status 2.
class LabChoice
{
public:
    using Places = LabPlaces;

    LabChoice(Places places, Dialogs& dialogs);

    // Changes to the lab folder: `dir` when given, else the configured or
    // personal one. False after an error box.
    bool enter(const QString& dir = QString());

    // The folders the bench cannot work without: the question banks.
    static bool isLabFolder(const QString& dir);

private:
    bool enterFolder(const QString& dir);
    bool makePersonalFolder();

    Places FPlaces;
    Dialogs& FDialogs;
};
