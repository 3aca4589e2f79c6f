#pragma once

#include "journal/StudentRecord.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

// A journal file as the fault and load tests inspect it after the
// writers have stopped: its whole records, its partial tail, the check's
// findings, and where each code stands.
class JournalImage
{
public:
    explicit JournalImage(const QByteArray& bytes);

    const std::vector<StudentRecord>& records() const { return Records; }
    qsizetype partialBytes() const { return Partial; }
    // The findings of the journal check other than a partial trailing
    // record, which the next registration overwrites.
    QStringList faults() const { return Faults; }

    // The indexes of the records holding the code (its text as stored).
    QList<int> indexesOf(const QByteArray& code) const { return Where.value(code); }
    const StudentRecord* find(const QByteArray& code) const;
    // Codes stored in more than one record.
    QStringList duplicates() const;

    // What is wrong with a record that registration wrote for a new
    // student with this name and code; empty when it is whole.
    static QString newStudentFault(const StudentRecord& r, const QString& fio, const QByteArray& code);
    // What is wrong with a record that started as `before` and has since
    // only had measurements finished: everything but the flags and the
    // work mark as before, every flag "+" or "-", the mark set exactly
    // when all six are "+".
    static QString measuredFault(const StudentRecord& r, const StudentRecord& before);

private:
    std::vector<StudentRecord> Records;
    qsizetype Partial = 0;
    QStringList Faults;
    QMap<QByteArray, QList<int>> Where;
};
