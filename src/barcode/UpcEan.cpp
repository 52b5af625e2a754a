#include "barcode/UpcEan.h"

#include "barcode/PrnBarcode.h"

#include <array>

namespace {

constexpr uint16_t Pair(uint8_t high, uint8_t low) {
    return uint16_t(high << 8 | low);
}

// The published EAN/UPC digit codes for the left half: the L (odd parity) code in the high byte
// and the G (even parity) code in the low byte, 7 modules each.
constexpr std::array<uint16_t, 10> LeftCodes = {
    Pair(0b0001101, 0b0100111), Pair(0b0011001, 0b0110011), Pair(0b0010011, 0b0011011),
    Pair(0b0111101, 0b0100001), Pair(0b0100011, 0b0011101), Pair(0b0110001, 0b0111001),
    Pair(0b0101111, 0b0000101), Pair(0b0111011, 0b0010001), Pair(0b0110111, 0b0001001),
    Pair(0b0001011, 0b0010111),
};

// The R codes of the right half in the high byte; in the low byte, bits 7 down to 2, the
// published EAN-13 parity of digits 2..7 when this digit is the first one (1 meaning G).
constexpr std::array<uint16_t, 10> RightCodes = {
    Pair(0b1110010, 0b00000000), Pair(0b1100110, 0b00101100), Pair(0b1101100, 0b00110100),
    Pair(0b1000010, 0b00111000), Pair(0b1011100, 0b01001100), Pair(0b1001110, 0b01100100),
    Pair(0b1010000, 0b01110000), Pair(0b1000100, 0b01010100), Pair(0b1001000, 0b01011000),
    Pair(0b1110100, 0b01101000),
};

// UPC A drawing table for "/" (end guard), the digits and ":" (centre guard): high byte the
// pattern before the centre, low byte the pattern after it.
constexpr std::array<uint16_t, 12> UpcATable = {
    Pair(0b101, 0b101),                                     // "/"
    Pair(0b0001101, 0b1110010), Pair(0b0011001, 0b1100110), // 0 1
    Pair(0b0010011, 0b1101100), Pair(0b0111101, 0b1000010), // 2 3
    Pair(0b0100011, 0b1011100), Pair(0b0110001, 0b1001110), // 4 5
    Pair(0b0101111, 0b1010000), Pair(0b0111011, 0b1000100), // 6 7
    Pair(0b0110111, 0b1001000), Pair(0b0001011, 0b1110100), // 8 9
    Pair(0b01010, 0b01010),                                 // ":"
};

// The published UPC-E parity of the six digits by check digit (number system 0), highest bit
// first, 1 meaning the even-parity (G) code.
constexpr std::array<uint8_t, 10> UpcEParity = {
    0b111000, 0b110100, 0b110010, 0b110001, 0b101100,
    0b100110, 0b100011, 0b101010, 0b101001, 0b100101,
};

// The published 5-digit add-on parity by check value, 1 meaning G.
constexpr std::array<uint8_t, 10> AddOn5Parity = {
    0b11000, 0b10100, 0b10010, 0b10001, 0b01100, 0b00110, 0b00011, 0b01010, 0b01001, 0b00101,
};

// The published 2-digit add-on parity by value mod 4: LL, LG, GL, GG.
constexpr std::array<uint8_t, 4> AddOn2Parity = {0b00, 0b01, 0b10, 0b11};

constexpr uint32_t GuardPattern = 0b101;
constexpr uint32_t CentrePattern = 0b01010;
constexpr uint32_t UpcEEndPattern = 0b010101;
constexpr uint32_t AddOnStartPattern = 0b1011;
constexpr uint32_t AddOnSeparator = 0b01;
constexpr int DigitModules = 7;

bool IsDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}
int DigitValue(QChar c) {
    return c.unicode() - '0';
}

uint32_t LeftCode(int digit, bool even) {
    return even ? LeftCodes[digit] & 0xFF : LeftCodes[digit] >> 8;
}

struct TDrawer {
    TBarCanvas& canvas;
    TBarPos pos;
    int rotation;
    int32_t m;
    int32_t barLength;

    void Pattern(uint32_t pattern, int modules) {
        DrawPattern(canvas, pos, rotation, pattern, modules, m, barLength);
    }
};

} // namespace

QString ExpandUpcE(const QString& digits) {
    if (digits.size() < 6)
        return QString();
    const QString d = digits.left(6);
    const QChar last = d[5];
    const QString zero = QStringLiteral("0");
    switch (last.unicode()) {
    case '0':
    case '1':
    case '2':
        return zero + d.mid(0, 2) + last + QStringLiteral("0000") + d.mid(2, 3);
    case '3':
        return zero + d.mid(0, 3) + QStringLiteral("00000") + d.mid(3, 2);
    case '4':
        return zero + d.mid(0, 4) + QStringLiteral("00000") + d.mid(4, 1);
    default:
        return zero + d.mid(0, 5) + QStringLiteral("0000") + last;
    }
}

QString UpcADigits(const QString& data) {
    const QString d = LeftPad(data, 11);
    return d + Mod10CheckDigit(d);
}

QString Ean13Digits(const QString& data) {
    const QString d = LeftPad(data, 12);
    return d + Mod10CheckDigit(d);
}

QString Ean8Digits(const QString& data) {
    const QString d = LeftPad(data, 7);
    return d + Mod10CheckDigit(d);
}

QChar UpcECheckDigit(const QString& data) {
    return Mod10CheckDigit(ExpandUpcE(LeftPad(data, 6)));
}

int AddOn5CheckValue(const QString& data) {
    const QString d = LeftPad(data, 5).left(5);
    int odd = 0;
    int even = 0;
    for (int i = 0; i < 5; ++i)
        (i % 2 == 0 ? odd : even) += IsDigit(d[i]) ? DigitValue(d[i]) : 0;
    return (3 * odd + 9 * even) % 10;
}

void EncodeUpcA(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                int32_t m, int32_t barLength) {
    const QString d = UpcADigits(data);
    const QString s =
        QStringLiteral("/") + d.mid(0, 6) + QStringLiteral(":") + d.mid(6, 6) + QStringLiteral("/");
    TDrawer draw{canvas, {x, y}, rotation, m, barLength};
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c < '/' || c > ':')
            return;
        const uint16_t entry = UpcATable[c - '/'];
        const uint32_t pattern = i < 8 ? entry >> 8 : entry & 0xFF;
        draw.Pattern(pattern, c == '/' ? 3 : c == ':' ? 5 : DigitModules);
    }
}

void EncodeEan13(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                 int32_t m, int32_t barLength) {
    const QString d = Ean13Digits(data);
    TDrawer draw{canvas, {x, y}, rotation, m, barLength};
    if (!IsDigit(d[0]))
        return;
    const uint8_t parity = RightCodes[DigitValue(d[0])] & 0xFF;
    draw.Pattern(GuardPattern, 3);
    for (int i = 1; i <= 6; ++i) {
        if (!IsDigit(d[i]))
            return;
        draw.Pattern(LeftCode(DigitValue(d[i]), (parity >> (8 - i)) & 1), DigitModules);
    }
    draw.Pattern(CentrePattern, 5);
    for (int i = 7; i <= 12; ++i) {
        if (!IsDigit(d[i]))
            return;
        draw.Pattern(RightCodes[DigitValue(d[i])] >> 8, DigitModules);
    }
    draw.Pattern(GuardPattern, 3);
}

void EncodeEan8(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                int32_t m, int32_t barLength) {
    const QString d = Ean8Digits(data);
    TDrawer draw{canvas, {x, y}, rotation, m, barLength};
    draw.Pattern(GuardPattern, 3);
    for (int i = 0; i < 8; ++i) {
        if (!IsDigit(d[i]))
            return;
        if (i == 4)
            draw.Pattern(CentrePattern, 5);
        const int digit = DigitValue(d[i]);
        draw.Pattern(i < 4 ? LeftCode(digit, false) : RightCodes[digit] >> 8, DigitModules);
    }
    draw.Pattern(GuardPattern, 3);
}

void EncodeUpcE(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                int32_t m, int32_t barLength) {
    const QString d = LeftPad(data, 6);
    const QChar k = UpcECheckDigit(d);
    TDrawer draw{canvas, {x, y}, rotation, m, barLength};
    if (!IsDigit(k))
        return;
    const uint8_t parity = UpcEParity[DigitValue(k)];
    draw.Pattern(GuardPattern, 3);
    for (int i = 0; i < 6; ++i) {
        if (!IsDigit(d[i]))
            return;
        draw.Pattern(LeftCode(DigitValue(d[i]), (parity >> (5 - i)) & 1), DigitModules);
    }
    draw.Pattern(UpcEEndPattern, 6);
}

void EncodeAddOn2(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength) {
    const QString d = data.size() < 2 ? QStringLiteral("0") + data : data;
    TDrawer draw{canvas, {x, y}, rotation, m, barLength};
    if (d.size() < 2 || !IsDigit(d[0]) || !IsDigit(d[1]))
        return;
    const uint8_t parity = AddOn2Parity[(DigitValue(d[0]) * 10 + DigitValue(d[1])) % 4];
    draw.Pattern(AddOnStartPattern, 4);
    draw.Pattern(LeftCode(DigitValue(d[0]), parity & 0b10), DigitModules);
    draw.Pattern(AddOnSeparator, 2);
    draw.Pattern(LeftCode(DigitValue(d[1]), parity & 0b01), DigitModules);
}

void EncodeAddOn5(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength) {
    const QString d = LeftPad(data, 5).left(5);
    const uint8_t parity = AddOn5Parity[AddOn5CheckValue(d)];
    TDrawer draw{canvas, {x, y}, rotation, m, barLength};
    draw.Pattern(AddOnStartPattern, 4);
    for (int i = 0; i < 5; ++i) {
        if (!IsDigit(d[i]))
            return;
        if (i > 0)
            draw.Pattern(AddOnSeparator, 2);
        draw.Pattern(LeftCode(DigitValue(d[i]), (parity >> (4 - i)) & 1), DigitModules);
    }
}
