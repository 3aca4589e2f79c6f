#pragma once

#include <QString>
#include <QStringList>

// The lab template: the documents a lab folder is made from (the theory
// page and its pictures, the instructions, both question banks), installed
// in share/oplab/lab (InstalledData). It never holds a journal, nor the
// banks' Aiken sources, which are the answer keys in plain text.
class LabTemplate
{
public:
    explicit LabTemplate(QString dir);

    const QString& dir() const { return Dir; }
    // The template's files, their paths relative to it, in order; empty
    // when the template is missing.
    QStringList files() const;
    // Those of the files that exist in the folder already.
    QStringList presentIn(const QString& folder) const;
    // Copies the files into the folder, made when missing. A file present
    // already is replaced when `replace`, else kept. Each file is written
    // whole or not at all. Returns the files written; a failure throws an
    // Exception naming the file.
    QStringList copyTo(const QString& folder, bool replace) const;

private:
    QString Dir;
};
