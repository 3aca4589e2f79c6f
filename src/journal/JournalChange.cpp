#include "journal/JournalChange.h"

QString JournalChange::line() const
{
    const QString mark = foreign() ? QStringLiteral("⚠ ") : QStringLiteral("  ");
    const QString who = Who.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(Who);
    return QStringLiteral("%1запись %2%3: %4").arg(mark).arg(Record).arg(who, Text);
}

QString JournalChange::brief() const
{
    QString what;
    switch (What) {
    case Added: what = QStringLiteral("новая"); break;
    case TestResult: what = QStringLiteral("тест"); break;
    case Measured: what = QStringLiteral("измерение"); break;
    case WorkMarked: what = QStringLiteral("работа выполнена"); break;
    case PartialTail: what = QStringLiteral("неполная"); break;
    case HiddenBytes: what = QStringLiteral("байты за значениями"); break;
    case Removed: what = QStringLiteral("удалена"); break;
    case CutOff: what = QStringLiteral("обрезана"); break;
    case Moved: what = QStringLiteral("перемещена"); break;
    case Inserted: what = QStringLiteral("вставлена"); break;
    case NameChanged: what = QStringLiteral("Ф.И.О."); break;
    case CodeChanged: what = QStringLiteral("шифр"); break;
    case ResultChanged: what = QStringLiteral("балл/допуск"); break;
    case MarkTaken: what = QStringLiteral("снята отметка измерения"); break;
    case WorkMarkTaken: what = QStringLiteral("снята отметка работы"); break;
    case OddValue: what = QStringLiteral("значение не со стенда"); break;
    }
    return QStringLiteral("запись %1 — %2").arg(Record).arg(what);
}
