#pragma once

#include "journal/StudentRecord.h"

#include <QString>

// A journal record in words, as every reader of the journal shows it: the
// command-line listing and check, the journal's changes, and the
// instructor's window with its CSV and report. Texts are decoded from code
// page 1251 and made safe to print; the verdicts and marks are told from
// their exact bytes, and any other value is shown as it stands.
class StudentRecordText
{
public:
    // A control character: C0, DEL or C1.
    static bool isControl(char16_t u) { return u < 0x20 || (u >= 0x7F && u <= 0x9F); }
    // The text with every control character replaced by "?": bytes of a
    // damaged record must not steer a terminal.
    static QString printable(QString text);

    // The verdict in words: "не сдан", "зачёт", "незачёт", or the stored
    // text as it stands (not yet made printable).
    static QString verdictWords(const StudentRecord& r);

    // The printable name, code, score, verdict in words and work mark.
    static QString name(const StudentRecord& r);
    static QString code(const StudentRecord& r);
    static QString score(const StudentRecord& r);
    static QString verdict(const StudentRecord& r);
    static QString work(const StudentRecord& r);
    // The stored verdict, quoted, with its bytes: the Latin e shows there.
    static QString storedVerdict(const StudentRecord& r);

    // The test score 0 to 99 from its decimal digits; -1 when the stored
    // text is empty or not all digits.
    static int scoreValue(const StudentRecord& r);

    // Measurement k (1 to Grading::Measurements) is marked done ("+").
    static bool measured(const StudentRecord& r, int k);
    // Its flag is neither "+" nor "-" (a damaged or changed record).
    static bool oddFlag(const StudentRecord& r, int k);
    // The flag, printable, when it is odd; empty otherwise.
    static QString oddFlagText(const StudentRecord& r, int k);
    // All the measurements are marked done.
    static bool allMeasured(const StudentRecord& r);
    // The work mark is "выполнена".
    static bool workDone(const StudentRecord& r);

    // Measurement k: its symbol, as a column or a plot names it ("Ку"),
    // and its whole name as the bench names it ("Коэффициент усиления").
    static QString measurementSymbol(int k);
    static QString measurementName(int k);
};
