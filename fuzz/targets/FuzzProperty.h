#pragma once

#include <QByteArray>

// A property that every input must keep. A broken one stops the run at
// once with the reason, as a crash would: the fuzzer keeps the input, and
// the replay of kept inputs fails with the same text.
class FuzzProperty
{
public:
    static void require(bool holds, const char* what, const QByteArray& detail = QByteArray());
};
