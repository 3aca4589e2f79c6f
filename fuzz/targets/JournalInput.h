#pragma once

#include <QByteArray>

// A journal "Students.DAT" as it may arrive from outside (damaged,
// partial, written by another program) read every way the programs read
// it: the check and the three listings of the instructor's tool, the
// lookup of registration, and a registration appended to it. Besides
// crashes and sanitizer reports it holds them to agree with each other.
class JournalInput
{
public:
    static void run(const QByteArray& data);
};
