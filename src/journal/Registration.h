#pragma once

#include <QString>

#include <cstdint>

class Journal;

// The registration of a student before the work: the typed code is looked
// up in the journal and, when it is not there, a new record is appended.
// Afterwards the working record is the student's record and the journal
// stays open with its position on it, where the test and the bench store
// their results.
class Registration
{
public:
    // The texts as typed: surname and initials, student code.
    Registration(QString fio, QString shifr, Journal& journal);

    enum Outcome { Found, Added };

    // Checks the typed code, opens (or creates) the journal anew, then
    // looks up and appends under the journal's lock. A failure throws;
    // nothing is written before the lookup has ended, and the registration
    // can simply be run again: a record appended by a run that failed
    // later is found by its code.
    Outcome run();

    // The typed code as the number it is looked up by. A code that does not
    // convert, or that is longer than the 6 characters the journal keeps,
    // is refused before the journal is touched.
    static std::int32_t checkedCode(const QString& shifr);

    // The refusal of a code longer than the field holds.
    static QString tooLongText(const QString& shifr);

private:
    QString FFio;
    QString FShifr;
    Journal& FJournal;
};
