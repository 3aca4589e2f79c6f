#include "platform/TColor.h"

#include <array>
#include <utility>

namespace {

// The system colour scheme the program is drawn in: the classic standard
// scheme, so the look does not depend on the desktop.
constexpr std::array<std::int32_t, 25> SystemScheme = {
    0xC8D0D4, // 0 scroll bar
    0xA56E3A, // 1 background
    0x6A240A, // 2 active caption
    0x808080, // 3 inactive caption
    0xC8D0D4, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC8D0D4, // 10 active border
    0xC8D0D4, // 11 inactive border
    0x808080, // 12 application workspace
    0x6A240A, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xC8D0D4, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC8D0D4, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x404040, // 21 3-D dark shadow
    0xC8D0D4, // 22 3-D light
    0x000000, // 23 info text
    0xE1FFFF, // 24 info background
};

const std::array<std::pair<const char*, TColor>, 27>& names()
{
    static const std::array<std::pair<const char*, TColor>, 27> table = {{
        {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen},
        {"clOlive", clOlive}, {"clNavy", clNavy}, {"clPurple", clPurple},
        {"clTeal", clTeal}, {"clGray", clGray}, {"clSilver", clSilver},
        {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
        {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua},
        {"clWhite", clWhite}, {"clScrollBar", clScrollBar},
        {"clBackground", clBackground}, {"clWindow", clWindow},
        {"clWindowText", clWindowText}, {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText},
        {"clBtnText", clBtnText}, {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight},
    }};
    return table;
}

} // namespace

TColor TColor::toRgb() const
{
    if (!isSystem())
        return *this;
    const auto index = std::size_t(Value & 0xFF);
    return TColor(index < SystemScheme.size() ? SystemScheme[index] : 0);
}

QColor TColor::toQColor() const
{
    const TColor rgb = toRgb();
    return QColor(rgb.red(), rgb.green(), rgb.blue());
}

QRgb TColor::toQRgb() const
{
    const TColor rgb = toRgb();
    return qRgb(rgb.red(), rgb.green(), rgb.blue());
}

QString TColor::name() const
{
    for (const auto& [text, colour] : names())
        if (colour == *this)
            return QString::fromLatin1(text);
    return QStringLiteral("$%1").arg(quint32(Value), 8, 16, QLatin1Char('0')).toUpper();
}

bool TColor::fromName(const QString& text, TColor& colour)
{
    for (const auto& [name, value] : names()) {
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            colour = value;
            return true;
        }
    }
    bool ok = false;
    const qint64 v = text.startsWith(QLatin1Char('$')) ? text.mid(1).toLongLong(&ok, 16)
                                                       : text.toLongLong(&ok, 10);
    if (!ok || v < INT32_MIN || v > UINT32_MAX)
        return false;
    colour = TColor(std::int32_t(quint32(v)));
    return true;
}

void TColor::registerType()
{
    static const bool registered = [] {
        qRegisterMetaType<TColor>();
        QMetaType::registerConverter<QString, TColor>([](const QString& text) {
            TColor c;
            TColor::fromName(text, c);
            return c;
        });
        QMetaType::registerConverter<TColor, QString>(&TColor::name);
        return true;
    }();
    (void)registered;
}
