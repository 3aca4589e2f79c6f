#pragma once

#include <QColor>
#include <QMetaType>
#include <QString>

#include <cstdint>

// A colour as the controls store it: a 32-bit value whose low three bytes
// are red (lowest), green and blue, or, when negative, 0x80000000 plus the
// index of a system colour that is turned into its current RGB value only
// when drawn. Named colours ("clAqua", "clBtnFace") read and write by name,
// so the stored form lists colours as the designer wrote them.
class TColor
{
public:
    constexpr TColor() = default;
    constexpr explicit TColor(std::int32_t value) : Value(value) {}

    static constexpr TColor fromRgb(int r, int g, int b)
    {
        return TColor(std::int32_t((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16)));
    }
    static TColor fromQColor(const QColor& c) { return fromRgb(c.red(), c.green(), c.blue()); }

    constexpr std::int32_t value() const { return Value; }
    constexpr bool isSystem() const { return Value < 0; }
    constexpr int red() const { return Value & 0xFF; }
    constexpr int green() const { return (Value >> 8) & 0xFF; }
    constexpr int blue() const { return (Value >> 16) & 0xFF; }

    // The RGB value: a system colour is looked up in the system scheme.
    TColor toRgb() const;
    QColor toQColor() const;
    // The opaque pixel value of the RGB value.
    QRgb toQRgb() const;

    // "clAqua" for named colours, else "$00BBGGRR".
    QString name() const;
    // Accepts the names, "$00BBGGRR" and decimal values; false if none fits.
    static bool fromName(const QString& text, TColor& colour);

    // Registers the type with Qt and the conversions from and to text, so
    // that properties of this type can be set from the stored form.
    static void registerType();

    constexpr bool operator==(const TColor&) const = default;

private:
    std::int32_t Value = 0;
};

Q_DECLARE_METATYPE(TColor)

inline constexpr TColor clBlack{0x000000};
inline constexpr TColor clMaroon{0x000080};
inline constexpr TColor clGreen{0x008000};
inline constexpr TColor clOlive{0x008080};
inline constexpr TColor clNavy{0x800000};
inline constexpr TColor clPurple{0x800080};
inline constexpr TColor clTeal{0x808000};
inline constexpr TColor clGray{0x808080};
inline constexpr TColor clSilver{0xC0C0C0};
inline constexpr TColor clRed{0x0000FF};
inline constexpr TColor clLime{0x00FF00};
inline constexpr TColor clYellow{0x00FFFF};
inline constexpr TColor clBlue{0xFF0000};
inline constexpr TColor clFuchsia{0xFF00FF};
inline constexpr TColor clAqua{0xFFFF00};
inline constexpr TColor clWhite{0xFFFFFF};

// System colours: 0x80000000 plus the index of the colour in the scheme.
inline constexpr TColor clScrollBar{std::int32_t(0x80000000u)};
inline constexpr TColor clBackground{std::int32_t(0x80000001u)};
inline constexpr TColor clWindow{std::int32_t(0x80000005u)};
inline constexpr TColor clWindowText{std::int32_t(0x80000008u)};
inline constexpr TColor clBtnFace{std::int32_t(0x8000000Fu)};
inline constexpr TColor clBtnShadow{std::int32_t(0x80000010u)};
inline constexpr TColor clGrayText{std::int32_t(0x80000011u)};
inline constexpr TColor clBtnText{std::int32_t(0x80000012u)};
inline constexpr TColor clBtnHighlight{std::int32_t(0x80000014u)};
inline constexpr TColor cl3DDkShadow{std::int32_t(0x80000015u)};
inline constexpr TColor cl3DLight{std::int32_t(0x80000016u)};
