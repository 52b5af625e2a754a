#include "barcode/Postnet.h"

#include "platform/Rounding.h"

#include <array>

namespace {

// The published POSTNET code: five bars per digit from bit 4 down, 1 a full bar, 0 a half bar.
constexpr std::array<uint8_t, 10> Table = {
    0b11000, 0b00011, 0b00101, 0b00110, 0b01001, 0b01010, 0b01100, 0b10001, 0b10010, 0b10100,
};

bool IsDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

} // namespace

QChar PostnetCheckDigit(const QString& digits) {
    int sum = 0;
    for (const QChar c : digits)
        if (IsDigit(c))
            sum += c.unicode() - '0';
    return QLatin1Char(char('0' + (sum % 10 == 0 ? 0 : 10 - sum % 10)));
}

int32_t PostnetShortBarOffset(int32_t barLength) {
    return RoundHalfEven(0.6 * barLength);
}

int32_t PostnetShortBarLength(int32_t barLength) {
    return RoundHalfEven(barLength - 0.6 * barLength);
}

int32_t PostnetModuleCount(const QString& data) {
    return 10 * int32_t(data.size() + 1) + 3;
}

void EncodePostnet(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                   int32_t m, int32_t barLength) {
    const QString d = data + PostnetCheckDigit(data);
    const int32_t offset = PostnetShortBarOffset(barLength);
    const int32_t shortLength = PostnetShortBarLength(barLength);
    TBarPos pos{x, y};
    DrawBar(canvas, pos.x, pos.y, rotation, barLength, m);
    Advance(pos, m, rotation);
    for (const QChar c : d) {
        if (!IsDigit(c))
            return;
        const uint8_t bits = Table[c.unicode() - '0'];
        for (int i = 4; i >= 0; --i) {
            Advance(pos, m, rotation);
            if ((bits >> i) & 1) {
                DrawBar(canvas, pos.x, pos.y, rotation, barLength, m);
            } else if (IsVertical(rotation)) {
                // bars lie along x here: the offset is taken across the symbol, so short bars
                // share the right edge of the full bars
                DrawBar(canvas, pos.x + offset, pos.y, rotation, shortLength, m);
            } else {
                DrawBar(canvas, pos.x, pos.y + offset, rotation, shortLength, m);
            }
            Advance(pos, m, rotation);
        }
    }
    Advance(pos, m, rotation);
    DrawBar(canvas, pos.x, pos.y, rotation, barLength, m);
}
