#pragma once

#include <QByteArray>
#include <QStringList>

// The faults of a bank file that the bench would meet, one text for each:
// a right answer outside 1 to 4 (every answer to that question counts as
// wrong), a partial record at the end (never drawn), no whole record at all
// (the draw fails with "Read beyond end of file"). Records are numbered
// from 0, as the bench numbers them. No finding: an empty list.
//
// The length bytes need no check: one byte holds at most 255, and every
// text field has room for 255 characters.
class BankCheck
{
public:
    static QStringList findings(const QByteArray& bank);
};
