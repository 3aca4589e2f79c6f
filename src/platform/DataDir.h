#pragma once

#include <QString>

// Where the data files are: the process's current working directory, read
// afresh at every access. The program never changes it.
class DataDir
{
public:
    static QString current();
    // The current directory, a separator and the file name.
    static QString path(const QString& fileName);
};
