#include "barcode/Interleaved2of5.h"

#include "barcode/PrnBarcode.h"

#include <array>

namespace {

// Entry 0 the start pattern (four narrow modules, read from bit 3 down); entries 1..10 the
// published 2 of 5 widths of digits 0..9 (five elements from bit 4 down, 1 meaning wide); entry
// 11 the stop pattern, drawn module by module (a wide bar of three modules, a space, a bar).
constexpr std::array<uint8_t, 12> Table = {
    0b1010,                                      // start
    0b00110, 0b10001, 0b01001, 0b11000, 0b00101, // 0..4
    0b10100, 0b01100, 0b00011, 0b10010, 0b01010, // 5..9
    0b11101,                                     // stop
};

constexpr int WideModules = 3;
constexpr int LeadModules = 5;   // blank lead inside the bearer bars
constexpr int BearerModules = 3; // thickness of a bearer bar

bool IsTableChar(QChar c) {
    return c.unicode() >= '/' && c.unicode() <= ':';
}

// The start, the digit pairs and the stop; returns the position after the stop.
TBarPos DrawBody(TBarCanvas& canvas, TBarPos pos, int rotation, const QString& digits, int32_t m,
                 int32_t barLength) {
    const QString s = QStringLiteral("/") + digits + QStringLiteral(":");
    qsizetype p = 0;
    while (p < s.size()) {
        const QChar c = s[p];
        if (c == QLatin1Char('/')) {
            DrawPattern(canvas, pos, rotation, Table[0], 4, m, barLength);
            ++p;
            continue;
        }
        if (c == QLatin1Char(':')) {
            DrawPattern(canvas, pos, rotation, Table[11], 5, m, barLength);
            ++p;
            continue;
        }
        if (p + 1 >= s.size() || !IsTableChar(c) || !IsTableChar(s[p + 1]))
            break;
        const uint8_t bars = Table[c.unicode() - '/'];
        const uint8_t spaces = Table[s[p + 1].unicode() - '/'];
        for (int i = 4; i >= 0; --i) {
            const int32_t bar = ((bars >> i) & 1) ? WideModules * m : m;
            DrawBar(canvas, pos.x, pos.y, rotation, barLength, bar);
            Advance(pos, bar, rotation);
            Advance(pos, ((spaces >> i) & 1) ? WideModules * m : m, rotation);
        }
        p += 2;
    }
    return pos;
}

} // namespace

QString Ssc14ItfDigits(const QString& data) {
    const QString d = LeftPad(data, 13);
    return d + Mod10CheckDigit(d);
}

int32_t Interleaved2of5ModuleCount(const QString& data) {
    const int32_t digits = int32_t(data.size() + data.size() % 2);
    return 9 * digits + 9;
}

void EncodeInterleaved2of5(TBarCanvas& canvas, int32_t x, int32_t y, int rotation,
                           const QString& data, int32_t m, int32_t barLength) {
    const QString d = data.size() % 2 ? QStringLiteral("0") + data : data;
    DrawBody(canvas, {x, y}, rotation, d, m, barLength);
}

void EncodeSsc14Itf(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                    int32_t m, int32_t barLength) {
    TBarPos pos{x, y};
    Advance(pos, LeadModules * m, rotation);
    const TBarPos end = DrawBody(canvas, pos, rotation, Ssc14ItfDigits(data), m, barLength);
    const int32_t thick = BearerModules * m;
    // the bearers run from the start to 5 modules past the stop, along both edges of the bars
    if (IsVertical(rotation)) {
        const int32_t length = end.y + LeadModules * m - y;
        canvas.FillBar(x, y, thick, length);
        canvas.FillBar(x + barLength - thick, y, thick, length);
    } else {
        const int32_t length = end.x + LeadModules * m - x;
        canvas.FillBar(x, y, length, thick);
        canvas.FillBar(x, y + barLength - thick, length, thick);
    }
}
