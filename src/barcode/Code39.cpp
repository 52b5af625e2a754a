#include "barcode/Code39.h"

#include <array>

namespace {

// The published Code 39 patterns in table order, a wide element drawn two modules wide, each
// followed by the one-module intercharacter gap; read from bit 12 down, 1 a bar module.
constexpr std::array<uint16_t, 44> Patterns = {
    0b1010011011010, // '0'
    0b1101001010110, // '1'
    0b1011001010110, // '2'
    0b1101100101010, // '3'
    0b1010011010110, // '4'
    0b1101001101010, // '5'
    0b1011001101010, // '6'
    0b1010010110110, // '7'
    0b1101001011010, // '8'
    0b1011001011010, // '9'
    0b1101010010110, // 'A'
    0b1011010010110, // 'B'
    0b1101101001010, // 'C'
    0b1010110010110, // 'D'
    0b1101011001010, // 'E'
    0b1011011001010, // 'F'
    0b1010100110110, // 'G'
    0b1101010011010, // 'H'
    0b1011010011010, // 'I'
    0b1010110011010, // 'J'
    0b1101010100110, // 'K'
    0b1011010100110, // 'L'
    0b1101101010010, // 'M'
    0b1010110100110, // 'N'
    0b1101011010010, // 'O'
    0b1011011010010, // 'P'
    0b1010101100110, // 'Q'
    0b1101010110010, // 'R'
    0b1011010110010, // 'S'
    0b1010110110010, // 'T'
    0b1100101010110, // 'U'
    0b1001101010110, // 'V'
    0b1100110101010, // 'W'
    0b1001011010110, // 'X'
    0b1100101101010, // 'Y'
    0b1001101101010, // 'Z'
    0b1001010110110, // '-'
    0b1100101011010, // '.'
    0b1001101011010, // ' '
    0b1001011011010, // '*'
    0b1001001001010, // '$'
    0b1001001010010, // '/'
    0b1001010010010, // '+'
    0b1010010010010, // '%'
};

// The published Code 39 full ASCII table, except that "-" and "." take their two-character
// forms /M and /N. High byte: table index of the first character; low byte: of the second, or
// 0 for none.
constexpr std::array<uint16_t, 128> FullAscii = {
    0x2C1F, 0x290B, 0x290C, 0x290D, 0x290E, 0x290F, 0x2910, 0x2911, //   0..7
    0x2912, 0x2913, 0x2914, 0x2915, 0x2916, 0x2917, 0x2918, 0x2919, //   8..15
    0x291A, 0x291B, 0x291C, 0x291D, 0x291E, 0x291F, 0x2920, 0x2921, //  16..23
    0x2922, 0x2923, 0x2924, 0x2C0B, 0x2C0C, 0x2C0D, 0x2C0E, 0x2C0F, //  24..31
    0x2700, 0x2A0B, 0x2A0C, 0x2A0D, 0x2A0E, 0x2A0F, 0x2A10, 0x2A11, //  32..39
    0x2A12, 0x2A13, 0x2A14, 0x2A15, 0x2A16, 0x2A17, 0x2A18, 0x2A19, //  40..47
    0x0100, 0x0200, 0x0300, 0x0400, 0x0500, 0x0600, 0x0700, 0x0800, //  48..55
    0x0900, 0x0A00, 0x2A24, 0x2C10, 0x2C11, 0x2C12, 0x2C13, 0x2C14, //  56..63
    0x2C20, 0x0B00, 0x0C00, 0x0D00, 0x0E00, 0x0F00, 0x1000, 0x1100, //  64..71
    0x1200, 0x1300, 0x1400, 0x1500, 0x1600, 0x1700, 0x1800, 0x1900, //  72..79
    0x1A00, 0x1B00, 0x1C00, 0x1D00, 0x1E00, 0x1F00, 0x2000, 0x2100, //  80..87
    0x2200, 0x2300, 0x2400, 0x2C15, 0x2C16, 0x2C17, 0x2C18, 0x2C19, //  88..95
    0x2C21, 0x2B0B, 0x2B0C, 0x2B0D, 0x2B0E, 0x2B0F, 0x2B10, 0x2B11, //  96..103
    0x2B12, 0x2B13, 0x2B14, 0x2B15, 0x2B16, 0x2B17, 0x2B18, 0x2B19, // 104..111
    0x2B1A, 0x2B1B, 0x2B1C, 0x2B1D, 0x2B1E, 0x2B1F, 0x2B20, 0x2B21, // 112..119
    0x2B22, 0x2B23, 0x2B24, 0x2C1A, 0x2C1B, 0x2C1C, 0x2C1D, 0x2C1E, // 120..127
};

// Values 0..42 of the check character set; "*" is not in it.
constexpr char CheckSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr int CheckSetSize = 43;

// Table index of "*", the start and stop character.
constexpr int StartStop = 40;

int CheckValue(QChar c) {
    for (int i = 0; i < CheckSetSize; ++i)
        if (c == QLatin1Char(CheckSet[i]))
            return i;
    return CheckSetSize;
}

constexpr int PatternModules = 13;

void DrawIndex(TBarCanvas& canvas, TBarPos& pos, int rotation, int index, int32_t m,
               int32_t barLength) {
    DrawPattern(canvas, pos, rotation, Code39Pattern(index), PatternModules, m, barLength);
}

// "*", the characters, "*": the shared body of types 1, 16 and 17.
void EncodePlain(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& text,
                 int32_t m, int32_t barLength) {
    TBarPos pos{x, y};
    DrawIndex(canvas, pos, rotation, StartStop, m, barLength);
    for (const QChar c : text) {
        if (c.unicode() < 32 || c.unicode() > 90)
            return;
        DrawIndex(canvas, pos, rotation, Code39Index(c), m, barLength);
    }
    DrawIndex(canvas, pos, rotation, StartStop, m, barLength);
}

} // namespace

int Code39Index(QChar c) {
    static constexpr char Order[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";
    const char16_t u = c.unicode();
    if (u < 32 || u > 90)
        return 0;
    for (int i = 0; i < 44; ++i)
        if (Order[i] == static_cast<char>(u))
            return i + 1;
    return 0;
}

uint16_t Code39Pattern(int index) {
    return index >= 1 && index <= 44 ? Patterns[index - 1] : 0;
}

QChar Code39CheckCharacter(const QString& data, int modulus) {
    if (modulus <= 0)
        return QChar();
    int sum = 0;
    for (const QChar c : data)
        sum += CheckValue(c);
    return QLatin1Char(CheckSet[sum % modulus]);
}

QString Code39ExtendedCharacters(const QString& data) {
    static constexpr char Order[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";
    QString out;
    out.reserve(data.size() * 2);
    for (const QChar c : data) {
        if (c.unicode() >= 128)
            break;
        const uint16_t entry = FullAscii[c.unicode()];
        out += QLatin1Char(Order[(entry >> 8) - 1]);
        if (entry & 0xFF)
            out += QLatin1Char(Order[(entry & 0xFF) - 1]);
    }
    return out;
}

int32_t Code39ExtendedCharacterCount(const QString& data) {
    int32_t n = 0;
    for (const QChar c : data) {
        if (c.unicode() >= 128)
            break;
        n += (FullAscii[c.unicode()] & 0xFF) ? 2 : 1;
    }
    return n;
}

void EncodeCode39(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength) {
    EncodePlain(canvas, x, y, rotation, data, m, barLength);
}

void EncodeCode39Mod43(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                       int32_t m, int32_t barLength) {
    EncodePlain(canvas, x, y, rotation, data + Code39CheckCharacter(data, 43), m, barLength);
}

void EncodeCode39Mod10(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                       int32_t m, int32_t barLength) {
    EncodePlain(canvas, x, y, rotation, data + Code39CheckCharacter(data, 10), m, barLength);
}

void EncodeCode39Extended(TBarCanvas& canvas, int32_t x, int32_t y, int rotation,
                          const QString& data, int32_t m, int32_t barLength) {
    TBarPos pos{x, y};
    DrawIndex(canvas, pos, rotation, StartStop, m, barLength);
    for (const QChar c : data) {
        if (c.unicode() >= 128)
            return;
        const uint16_t entry = FullAscii[c.unicode()];
        DrawIndex(canvas, pos, rotation, entry >> 8, m, barLength);
        if (entry & 0xFF)
            DrawIndex(canvas, pos, rotation, entry & 0xFF, m, barLength);
    }
    DrawIndex(canvas, pos, rotation, StartStop, m, barLength);
}
