#pragma once

#include <QByteArray>

// A question bank ("Qest.txt", "Qest1.txt") as it may arrive from outside,
// read every way the programs read it: the bench's open, count, draw and
// read of records, the instructor's check, and the export to Aiken text,
// whose output must import again to the same questions.
class BankInput
{
public:
    static void run(const QByteArray& data);
};
