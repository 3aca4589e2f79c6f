#pragma once

#include <QString>

// Where the program's own data are: "../share/oplab" from the folder of the
// program file, the same in the installed package (/usr/bin and
// /usr/share/oplab), under any other install prefix, and in the build tree
// (bin/ and share/oplab/). The lab's files are elsewhere (DataDir).
class InstalledData
{
public:
    // The folder share/oplab beside the program's folder; needs the
    // application object.
    static QString dir();
    // The lab template: the documents a new lab folder is made from.
    static QString labTemplate();
    // The Aiken sources of the shipped banks (share/oplab/sources): the
    // answer keys in plain text, kept apart from the template so that no
    // lab folder is made with them.
    static QString sources();
};
