#include "barcode/Code93.h"

#include <array>

namespace {

// The published Code 93 patterns of symbol values 0..46: 0..9, A..Z, "-", ".", space, "$", "/",
// "+", "%" and the shifts ($), (%), (/), (+); 9 modules each, read from bit 8 down.
constexpr std::array<uint16_t, 47> Patterns = {
    0b100010100, 0b101001000, 0b101000100, 0b101000010, 0b100101000, // 0..4
    0b100100100, 0b100100010, 0b101010000, 0b100010010, 0b100001010, // 5..9
    0b110101000, 0b110100100, 0b110100010, 0b110010100, 0b110010010, // A..E
    0b110001010, 0b101101000, 0b101100100, 0b101100010, 0b100110100, // F..J
    0b100011010, 0b101011000, 0b101001100, 0b101000110, 0b100101100, // K..O
    0b100010110, 0b110110100, 0b110110010, 0b110101100, 0b110100110, // P..T
    0b110010110, 0b110011010, 0b101101100, 0b101100110, 0b100110110, // U..Y
    0b100111010, 0b100101110, 0b111010100, 0b111010010, 0b111001010, // Z - . space $
    0b101101110, 0b101110110, 0b110101110, 0b100100110, 0b111011010, // / + % ($) (%)
    0b111010110, 0b100110010,                                        // (/) (+)
};

constexpr uint16_t StartPattern = 0b101011110;
// The stop character and the termination bar.
constexpr uint16_t StopPattern = 0b1010111101;

// The published Code 93 full ASCII table: high byte the first symbol value, low byte the second
// or 255 for none.
constexpr std::array<uint16_t, 128> FullAscii = {
    0x2C1E, 0x2B0A, 0x2B0B, 0x2B0C, 0x2B0D, 0x2B0E, 0x2B0F, 0x2B10, //   0..7
    0x2B11, 0x2B12, 0x2B13, 0x2B14, 0x2B15, 0x2B16, 0x2B17, 0x2B18, //   8..15
    0x2B19, 0x2B1A, 0x2B1B, 0x2B1C, 0x2B1D, 0x2B1E, 0x2B1F, 0x2B20, //  16..23
    0x2B21, 0x2B22, 0x2B23, 0x2C0A, 0x2C0B, 0x2C0C, 0x2C0D, 0x2C0E, //  24..31
    0x26FF, 0x2D0A, 0x2D0B, 0x2D0C, 0x27FF, 0x2AFF, 0x2D0F, 0x2D10, //  32..39
    0x2D11, 0x2D12, 0x2D13, 0x29FF, 0x2D15, 0x24FF, 0x25FF, 0x28FF, //  40..47
    0x00FF, 0x01FF, 0x02FF, 0x03FF, 0x04FF, 0x05FF, 0x06FF, 0x07FF, //  48..55
    0x08FF, 0x09FF, 0x2D23, 0x2C0F, 0x2C10, 0x2C11, 0x2C12, 0x2C13, //  56..63
    0x2C1F, 0x0AFF, 0x0BFF, 0x0CFF, 0x0DFF, 0x0EFF, 0x0FFF, 0x10FF, //  64..71
    0x11FF, 0x12FF, 0x13FF, 0x14FF, 0x15FF, 0x16FF, 0x17FF, 0x18FF, //  72..79
    0x19FF, 0x1AFF, 0x1BFF, 0x1CFF, 0x1DFF, 0x1EFF, 0x1FFF, 0x20FF, //  80..87
    0x21FF, 0x22FF, 0x23FF, 0x2C14, 0x2C15, 0x2C16, 0x2C17, 0x2C18, //  88..95
    0x2C20, 0x2E0A, 0x2E0B, 0x2E0C, 0x2E0D, 0x2E0E, 0x2E0F, 0x2E10, //  96..103
    0x2E11, 0x2E12, 0x2E13, 0x2E14, 0x2E15, 0x2E16, 0x2E17, 0x2E18, // 104..111
    0x2E19, 0x2E1A, 0x2E1B, 0x2E1C, 0x2E1D, 0x2E1E, 0x2E1F, 0x2E20, // 112..119
    0x2E21, 0x2E22, 0x2E23, 0x2C19, 0x2C1A, 0x2C1B, 0x2C1C, 0x2C1D, // 120..127
};

constexpr int Modulus = 47;
constexpr int WeightLimitC = 20;
constexpr int WeightLimitK = 15;

// Weighted sum from the right, weights 1..limit and again from 1.
int WeightedCheck(const std::vector<uint8_t>& values, int limit) {
    int sum = 0;
    int weight = 1;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        sum = (sum + *it * weight) % Modulus;
        weight = weight == limit ? 1 : weight + 1;
    }
    return sum;
}

} // namespace

std::vector<uint8_t> Code93Symbols(const QString& data) {
    std::vector<uint8_t> values;
    values.reserve(data.size() * 2 + 2);
    for (const QChar c : data) {
        if (c.unicode() >= 128)
            break;
        const uint16_t entry = FullAscii[c.unicode()];
        values.push_back(static_cast<uint8_t>(entry >> 8));
        if ((entry & 0xFF) < 47)
            values.push_back(static_cast<uint8_t>(entry & 0xFF));
    }
    return values;
}

int32_t Code93SymbolCount(const QString& data) {
    int32_t n = 0;
    for (const QChar c : data) {
        if (c.unicode() >= 128)
            break;
        n += (FullAscii[c.unicode()] & 0xFF) < 47 ? 2 : 1;
    }
    return n;
}

int Code93CheckC(const QString& data) {
    return WeightedCheck(Code93Symbols(data), WeightLimitC);
}

int Code93CheckK(const QString& data) {
    std::vector<uint8_t> values = Code93Symbols(data);
    values.push_back(static_cast<uint8_t>(WeightedCheck(values, WeightLimitC)));
    return WeightedCheck(values, WeightLimitK);
}

uint16_t Code93Pattern(int value) {
    return value >= 0 && value < 47 ? Patterns[value] : 0;
}

void EncodeCode93(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength) {
    TBarPos pos{x, y};
    DrawPattern(canvas, pos, rotation, StartPattern, 9, m, barLength);
    for (const QChar ch : data) {
        // a character the table cannot carry ends the drawing where it stands
        if (ch.unicode() >= 128)
            return;
        const uint16_t entry = FullAscii[ch.unicode()];
        DrawPattern(canvas, pos, rotation, Patterns[entry >> 8], 9, m, barLength);
        if ((entry & 0xFF) < 47)
            DrawPattern(canvas, pos, rotation, Patterns[entry & 0xFF], 9, m, barLength);
    }
    std::vector<uint8_t> values = Code93Symbols(data);
    const int c = WeightedCheck(values, WeightLimitC);
    values.push_back(static_cast<uint8_t>(c));
    const int k = WeightedCheck(values, WeightLimitK);
    DrawPattern(canvas, pos, rotation, Patterns[c], 9, m, barLength);
    DrawPattern(canvas, pos, rotation, Patterns[k], 9, m, barLength);
    DrawPattern(canvas, pos, rotation, StopPattern, 10, m, barLength);
}
