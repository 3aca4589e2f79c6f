#pragma once

#include "admission/BankFormat.h"

#include <QByteArray>

// A Moodle XML or GIFT file as it may arrive from the instructor's
// learning system, imported as the instructor's tool imports it. What
// comes through must be sound records, the questions left out must be
// named in order, and the records must export to the same format and
// import again to the same bytes, with nothing left out.
class QuestionSourceInput
{
public:
    static void run(BankFormat::Kind format, const QByteArray& data);
};
