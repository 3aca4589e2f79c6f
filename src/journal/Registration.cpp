#include "journal/Registration.h"

#include "platform/Cp1251.h"
#include "platform/Exception.h"
#include "journal/Journal.h"
#include "journal/JournalLock.h"
#include "platform/NumberText.h"

namespace {

constexpr int ShifrCapacity = 6;

} // namespace

Registration::Registration(QString fio, QString shifr, Journal& journal)
    : FFio(std::move(fio))
    , FShifr(std::move(shifr))
    , FJournal(journal)
{
}

QString Registration::tooLongText(const QString& shifr)
{
    return QStringLiteral("Шифр длиннее %1 символов: '%2'").arg(ShifrCapacity).arg(shifr);
}

std::int32_t Registration::checkedCode(const QString& shifr)
{
    // Every code must convert, also the first of a new journal: a stored
    // code that does not convert could never be found again. A longer code
    // would be stored cut and never match its own record again.
    const std::int32_t code = NumberText::toInt(shifr);
    if (Cp1251::encode(shifr).size() > ShifrCapacity)
        throw Exception(tooLongText(shifr));
    return code;
}

Registration::Outcome Registration::run()
{
    const std::int32_t code = checkedCode(FShifr);

    FJournal.open();
    // From the lookup to the end of the append no other program may
    // append, or two new students would be written at the same place.
    JournalLock lock(FJournal);
    if (FJournal.findCode(code)) {
        lock.release();
        return Found;
    }

    // A new student, written right after the last whole record. The
    // working record may still hold bytes of the last record read behind
    // the new texts; they go to the file and mean nothing.
    StudentRecord& student = FJournal.student();
    student.Shifr.set(FShifr);
    student.FIO.set(FFio);
    student.setNewStudent();
    FJournal.WriteStudent();
    lock.release();
    return Added;
}
