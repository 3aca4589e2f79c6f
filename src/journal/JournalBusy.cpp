#include "journal/JournalBusy.h"

namespace {

QString clockText(const QDateTime& t)
{
    return t.toLocalTime().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

JournalBusy::JournalBusy()
    : Exception(busyText())
{
}

JournalBusy::JournalBusy(const Holder& holder)
    : Exception(holder.Known ? busyText() + QLatin1Char('\n') + holderText(holder) : busyText())
{
}

QString JournalBusy::busyText()
{
    return QStringLiteral("Журнал занят другой программой. Повторите попытку.");
}

QString JournalBusy::holderText(const Holder& h)
{
    const QString since = h.Since.isValid() ? QStringLiteral(" с %1").arg(clockText(h.Since)) : QString();
    if (h.ThisComputer)
        return QStringLiteral("Журнал держит программа этого компьютера (процесс %1)%2; пока она работает, "
                              "блокировка не будет снята.")
            .arg(h.Pid)
            .arg(since);
    const QString who = h.Host.isEmpty() ? QStringLiteral("другой компьютер")
                                         : QStringLiteral("компьютер «%1»").arg(h.Host);
    return QStringLiteral("Журнал держит %1%2; если он не отпустит журнал, блокировка будет снята в %3.")
        .arg(who, since, clockText(h.BreakAt));
}
