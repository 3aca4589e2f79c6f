#include "admission/SkippedQuestion.h"

QString SkippedQuestion::message(const QString& fileName) const
{
    QString text = Line > 0 ? QStringLiteral("%1:%2: ").arg(fileName).arg(Line) : fileName + QStringLiteral(": ");
    text += QStringLiteral("question %1").arg(Number);
    if (!Name.isEmpty())
        text += QStringLiteral(" \"%1\"").arg(Name);
    return text + QStringLiteral(" skipped: ") + Reason;
}
