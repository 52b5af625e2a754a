#include "barcode/Code128.h"

#include "barcode/PrnBarcode.h"

#include <array>

namespace {

// The published Code 128 patterns of symbol values 0..106, read from the highest bit down, 1 a
// bar module: 11 modules each, 13 for the stop with its final bar.
constexpr std::array<uint16_t, 107> Patterns = {
    0b11011001100,   // 0
    0b11001101100,   // 1
    0b11001100110,   // 2
    0b10010011000,   // 3
    0b10010001100,   // 4
    0b10001001100,   // 5
    0b10011001000,   // 6
    0b10011000100,   // 7
    0b10001100100,   // 8
    0b11001001000,   // 9
    0b11001000100,   // 10
    0b11000100100,   // 11
    0b10110011100,   // 12
    0b10011011100,   // 13
    0b10011001110,   // 14
    0b10111001100,   // 15
    0b10011101100,   // 16
    0b10011100110,   // 17
    0b11001110010,   // 18
    0b11001011100,   // 19
    0b11001001110,   // 20
    0b11011100100,   // 21
    0b11001110100,   // 22
    0b11101101110,   // 23
    0b11101001100,   // 24
    0b11100101100,   // 25
    0b11100100110,   // 26
    0b11101100100,   // 27
    0b11100110100,   // 28
    0b11100110010,   // 29
    0b11011011000,   // 30
    0b11011000110,   // 31
    0b11000110110,   // 32
    0b10100011000,   // 33
    0b10001011000,   // 34
    0b10001000110,   // 35
    0b10110001000,   // 36
    0b10001101000,   // 37
    0b10001100010,   // 38
    0b11010001000,   // 39
    0b11000101000,   // 40
    0b11000100010,   // 41
    0b10110111000,   // 42
    0b10110001110,   // 43
    0b10001101110,   // 44
    0b10111011000,   // 45
    0b10111000110,   // 46
    0b10001110110,   // 47
    0b11101110110,   // 48
    0b11010001110,   // 49
    0b11000101110,   // 50
    0b11011101000,   // 51
    0b11011100010,   // 52
    0b11011101110,   // 53
    0b11101011000,   // 54
    0b11101000110,   // 55
    0b11100010110,   // 56
    0b11101101000,   // 57
    0b11101100010,   // 58
    0b11100011010,   // 59
    0b11101111010,   // 60
    0b11001000010,   // 61
    0b11110001010,   // 62
    0b10100110000,   // 63
    0b10100001100,   // 64
    0b10010110000,   // 65
    0b10010000110,   // 66
    0b10000101100,   // 67
    0b10000100110,   // 68
    0b10110010000,   // 69
    0b10110000100,   // 70
    0b10011010000,   // 71
    0b10011000010,   // 72
    0b10000110100,   // 73
    0b10000110010,   // 74
    0b11000010010,   // 75
    0b11001010000,   // 76
    0b11110111010,   // 77
    0b11000010100,   // 78
    0b10001111010,   // 79
    0b10100111100,   // 80
    0b10010111100,   // 81
    0b10010011110,   // 82
    0b10111100100,   // 83
    0b10011110100,   // 84
    0b10011110010,   // 85
    0b11110100100,   // 86
    0b11110010100,   // 87
    0b11110010010,   // 88
    0b11011011110,   // 89
    0b11011110110,   // 90
    0b11110110110,   // 91
    0b10101111000,   // 92
    0b10100011110,   // 93
    0b10001011110,   // 94
    0b10111101000,   // 95
    0b10111100010,   // 96
    0b11110101000,   // 97
    0b11110100010,   // 98
    0b10111011110,   // 99
    0b10111101110,   // 100
    0b11101011110,   // 101
    0b11110101110,   // 102
    0b11010000100,   // 103
    0b11010010000,   // 104
    0b11010011100,   // 105
    0b1100011101011, // 106
};

constexpr int PatternModules = 11;
constexpr int StopModules = 13;
constexpr int CheckModulus = 103;

bool IsDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}
bool IsControl(QChar c) {
    return c.unicode() < 32;
}
// Characters of codes 96..127 exist only in set B.
bool IsBOnly(QChar c) {
    return c.unicode() >= 96 && c.unicode() <= 127;
}

int DigitRun(QStringView text, qsizetype from) {
    int n = 0;
    while (from + n < text.size() && IsDigit(text[from + n]))
        ++n;
    return n;
}

int ValueIn(TCode128Set set, QChar c) {
    const int code = c.unicode();
    if (set == TCode128Set::A && code < 32)
        return code + 64;
    return code - 32;
}

void Put(QString& out, int value) {
    out += QChar(char16_t(value + Code128::CharOffset));
}

TCode128Set OtherOfAB(TCode128Set set) {
    return set == TCode128Set::A ? TCode128Set::B : TCode128Set::A;
}

void DrawSequence(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& sequence,
                  int32_t m, int32_t barLength) {
    TBarPos pos{x, y};
    for (qsizetype i = 0; i < sequence.size(); ++i) {
        const int code = sequence[i].unicode();
        if (code < Code128::CharOffset || code > Code128::Stop + Code128::CharOffset)
            return;
        const bool last = i == sequence.size() - 1;
        DrawPattern(canvas, pos, rotation, Patterns[code - Code128::CharOffset],
                    last ? StopModules : PatternModules, m, barLength);
    }
}

} // namespace

TCode128Set InitialCodeSet(QStringView text) {
    if (DigitRun(text, 0) >= 4)
        return TCode128Set::C;
    for (const QChar c : text) {
        if (IsControl(c))
            return TCode128Set::A;
        if (IsBOnly(c))
            return TCode128Set::B;
    }
    return TCode128Set::B;
}

QString BuildCode128Sequence(const QString& data, bool fnc1) {
    QString out;
    out.reserve(data.size() + 8);
    TCode128Set set = InitialCodeSet(data);
    Put(out, set == TCode128Set::A   ? Code128::StartA
             : set == TCode128Set::B ? Code128::StartB
                                     : Code128::StartC);
    if (fnc1)
        Put(out, Code128::Fnc1);

    const qsizetype length = data.size();
    qsizetype p = 0;
    bool shifted = false;
    while (p < length) {
        if (set == TCode128Set::C) {
            const int d1 = data[p].unicode() - '0';
            const int d2 = p + 1 < length ? data[p + 1].unicode() - '0' : 0;
            Put(out, 10 * d1 + d2);
            p += 2;
        } else {
            Put(out, ValueIn(set, data[p]));
            p += 1;
        }
        if (p >= length)
            break;
        if (shifted) {
            set = OtherOfAB(set);
            shifted = false;
        }
        const QChar c = data[p];
        const bool hasNext = p + 1 < length;
        if (set != TCode128Set::C) {
            const int run = DigitRun(data, p);
            if (run >= 4 && run % 2 == 0) {
                Put(out, Code128::CodeC);
                set = TCode128Set::C;
                continue;
            }
        }
        if (set == TCode128Set::B && IsControl(c)) {
            if (hasNext && IsBOnly(data[p + 1])) {
                Put(out, Code128::Shift);
                shifted = true;
            } else {
                Put(out, Code128::CodeA);
            }
            set = TCode128Set::A;
        } else if (set == TCode128Set::A && IsBOnly(c)) {
            if (hasNext && IsControl(data[p + 1])) {
                Put(out, Code128::Shift);
                shifted = true;
            } else {
                Put(out, Code128::CodeB);
            }
            set = TCode128Set::B;
        } else if (set == TCode128Set::C) {
            // a lone digit or a character that ends the run leaves set C
            TCode128Set next = TCode128Set::C;
            if (!hasNext)
                next = IsControl(c) ? TCode128Set::A : TCode128Set::B;
            else if (!IsDigit(c) || !IsDigit(data[p + 1]))
                next = InitialCodeSet(QStringView(data).mid(p)) == TCode128Set::A ? TCode128Set::A
                                                                                  : TCode128Set::B;
            if (next != TCode128Set::C) {
                Put(out, next == TCode128Set::A ? Code128::CodeA : Code128::CodeB);
                set = next;
            }
        }
    }
    Put(out, Code128CheckValue(out));
    Put(out, Code128::Stop);
    return out;
}

int Code128CheckValue(QStringView sequence) {
    if (sequence.isEmpty())
        return 0;
    int sum = sequence[0].unicode() - Code128::CharOffset;
    for (qsizetype i = 1; i < sequence.size(); ++i)
        sum = (sum + (sequence[i].unicode() - Code128::CharOffset) * int(i % CheckModulus)) %
              CheckModulus;
    return sum % CheckModulus;
}

uint16_t Code128Pattern(int value) {
    return value >= 0 && value <= Code128::Stop ? Patterns[value] : 0;
}

QString Ssc14Digits(const QString& data) {
    const QString d = LeftPad(data, 13);
    return QStringLiteral("01") + d + Mod10CheckDigit(d);
}

QString Sscc18Digits(const QString& data) {
    const QString d = LeftPad(data, 17);
    return QStringLiteral("00") + d + Mod10CheckDigit(d);
}

int32_t Code128ModuleCount(const QString& data) {
    return 11 * int32_t(BuildCode128Sequence(data, false).size()) + 2;
}

int32_t Ean128ModuleCount(const QString& data) {
    return 11 * int32_t(BuildCode128Sequence(data, true).size()) + 2;
}

void EncodeCode128(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                   int32_t m, int32_t barLength) {
    DrawSequence(canvas, x, y, rotation, BuildCode128Sequence(data, false), m, barLength);
}

void EncodeEan128(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength) {
    DrawSequence(canvas, x, y, rotation, BuildCode128Sequence(data, true), m, barLength);
}

void EncodeSsc14(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                 int32_t m, int32_t barLength) {
    DrawSequence(canvas, x, y, rotation, BuildCode128Sequence(Ssc14Digits(data), true), m,
                 barLength);
}

void EncodeSscc18(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength) {
    DrawSequence(canvas, x, y, rotation, BuildCode128Sequence(Sscc18Digits(data), true), m,
                 barLength);
}
