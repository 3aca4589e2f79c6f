#include "support/FakeDialogs.h"

void FakeDialogs::record(const QString& kind, const QString& text)
{
    Shown.append(kind + QStringLiteral(": ") + text);
    if (onShow)
        onShow(kind, text);
}

QStringList FakeDialogs::take()
{
    QStringList shown;
    shown.swap(Shown);
    return shown;
}
