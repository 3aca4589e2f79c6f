#include "admission/BankText.h"

#include "platform/Cp1251.h"

namespace {

QString characterName(char32_t code, const QString& character)
{
    QString name = QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    if (code >= 0x20 && QChar::isPrint(code))
        name += QStringLiteral(" \"%1\"").arg(character);
    return name;
}

} // namespace

QString BankText::fault(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            return QStringLiteral("character %1 is not in code page 1251")
                .arg(characterName(QChar::surrogateToUcs4(c, text[i + 1]), text.mid(i, 2)));
        if (!Cp1251::canEncode(c))
            return QStringLiteral("character %1 is not in code page 1251").arg(characterName(c.unicode(), QString(c)));
    }
    // Every character left is one byte of the code page.
    if (text.size() > 255)
        return QStringLiteral("text of %1 bytes in code page 1251; a field holds 255").arg(text.size());
    return QString();
}

void BankText::store(ShortString<255>& field, const QString& text)
{
    field.setBytes(Cp1251::encode(text));
}

QString BankText::trimBlanks(const QString& text)
{
    auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}
