#pragma once

#include <QColor>

#include <cstdint>

// Colours are 32-bit 0x00BBGGRR values (red in the low byte) in memory and in label files.
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

inline QColor ToQColor(TColor c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline TColor FromQColor(const QColor& c) {
    return TColor(c.red()) | (TColor(c.green()) << 8) | (TColor(c.blue()) << 16);
}

inline QRgb ToQRgb(TColor c) {
    return ToQColor(c).rgb();
}
