#include "barcode/QrMask.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int QrMaxVersion = 40;
// the format information's BCH generator x^10 + x^8 + x^5 + x^4 + x^2 + x + 1, and its mask
constexpr uint16_t FormatGenerator = 0x537;
constexpr uint16_t FormatMask = 0x5412;

int32_t SideOfVersion(int version) {
    return 17 + 4 * version;
}

// The centres of the alignment patterns along either axis (ISO/IEC 18004 annex E): 6, then
// evenly spaced by an even step up to side - 7; version 32 is the one exception to the step.
std::vector<int32_t> AlignmentCentres(int version) {
    if (version < 2)
        return {};
    const int32_t count = version / 7 + 2;
    const int32_t step = version == 32 ? 26 : (version * 4 + count * 2 + 1) / (count * 2 - 2) * 2;
    std::vector<int32_t> centres(static_cast<size_t>(count));
    centres[0] = 6;
    for (int32_t i = count - 1, pos = SideOfVersion(version) - 7; i > 0; --i, pos -= step)
        centres[size_t(i)] = pos;
    return centres;
}

void MarkRect(std::vector<uint8_t>& f, int32_t side, int32_t top, int32_t left, int32_t rows,
              int32_t columns) {
    for (int32_t r = top; r < top + rows; ++r)
        std::memset(&f[size_t(r) * size_t(side) + size_t(left)], 1, size_t(columns));
}

// XORs mask pattern Mask over the data modules; the pattern folds into the loop.
template <int Mask> void XorMask(uint8_t* dark, const uint8_t* function, int32_t side) {
    for (int32_t i = 0; i < side; ++i)
        for (int32_t j = 0; j < side; ++j) {
            const size_t at = size_t(i) * size_t(side) + size_t(j);
            if (!function[at] && QrMaskInverts(Mask, i, j))
                dark[at] ^= 1;
        }
}

void ApplyMask(uint8_t* dark, const uint8_t* function, int32_t side, int mask) {
    using TXor = void (*)(uint8_t*, const uint8_t*, int32_t);
    static constexpr TXor Masks[QrMaskCount] = {XorMask<0>, XorMask<1>, XorMask<2>, XorMask<3>,
                                                XorMask<4>, XorMask<5>, XorMask<6>, XorMask<7>};
    Masks[mask & 7](dark, function, side);
}

} // namespace

int QrVersionOfSide(int32_t side) {
    if (side < SideOfVersion(1) || side > SideOfVersion(QrMaxVersion) || (side - 17) % 4 != 0)
        return 0;
    return (side - 17) / 4;
}

std::vector<uint8_t> QrFunctionModules(int version) {
    if (version < 1 || version > QrMaxVersion)
        return {};
    const int32_t side = SideOfVersion(version);
    std::vector<uint8_t> f(size_t(side) * size_t(side), 0);
    // finder patterns with their separators and the format information beside them; the
    // bottom-left block holds the dark module too
    MarkRect(f, side, 0, 0, 9, 9);
    MarkRect(f, side, 0, side - 8, 9, 8);
    MarkRect(f, side, side - 8, 0, 8, 9);
    // timing patterns
    MarkRect(f, side, 6, 0, 1, side);
    MarkRect(f, side, 0, 6, side, 1);
    const std::vector<int32_t> centres = AlignmentCentres(version);
    const size_t last = centres.size() - 1;
    for (size_t a = 0; a < centres.size(); ++a)
        for (size_t b = 0; b < centres.size(); ++b) {
            // none where a finder pattern is
            if ((a == 0 && b == 0) || (a == 0 && b == last) || (a == last && b == 0))
                continue;
            MarkRect(f, side, centres[a] - 2, centres[b] - 2, 5, 5);
        }
    if (version >= 7) {
        MarkRect(f, side, 0, side - 11, 6, 3);
        MarkRect(f, side, side - 11, 0, 3, 6);
    }
    return f;
}

uint16_t QrFormatBits(int eccIndicator, int mask) {
    const uint16_t data = uint16_t(((eccIndicator & 3) << 3) | (mask & 7));
    uint16_t rem = data;
    for (int k = 0; k < 10; ++k)
        rem = uint16_t((rem << 1) ^ ((rem >> 9) * FormatGenerator));
    return uint16_t(((data << 10) | (rem & 0x3FF)) ^ FormatMask);
}

namespace {
// Where bit k (0 the lowest) of the format information lies: its first copy around the
// top-left finder pattern, its second split between the other two.
struct TCell {
    int32_t row, column;
};
TCell FirstCopy(int k) {
    if (k <= 5)
        return {k, 8};
    if (k == 6)
        return {7, 8};
    if (k == 7)
        return {8, 8};
    if (k == 8)
        return {8, 7};
    return {8, 14 - k};
}
TCell SecondCopy(int k, int32_t side) {
    return k < 8 ? TCell{8, side - 1 - k} : TCell{side - 15 + k, 8};
}
} // namespace

void WriteQrFormat(uint8_t* dark, int32_t side, uint16_t bits) {
    for (int k = 0; k < 15; ++k) {
        const uint8_t bit = (bits >> k) & 1;
        const TCell a = FirstCopy(k), b = SecondCopy(k, side);
        dark[size_t(a.row) * size_t(side) + size_t(a.column)] = bit;
        dark[size_t(b.row) * size_t(side) + size_t(b.column)] = bit;
    }
    dark[size_t(side - 8) * size_t(side) + 8] = 1;
}

uint16_t ReadQrFormat(const uint8_t* dark, int32_t side) {
    uint16_t bits = 0;
    for (int k = 0; k < 15; ++k) {
        const TCell a = FirstCopy(k);
        if (dark[size_t(a.row) * size_t(side) + size_t(a.column)])
            bits |= uint16_t(1u << k);
    }
    return bits;
}

bool DecodeQrFormat(uint16_t bits, int& eccIndicator, int& mask) {
    for (int e = 0; e < 4; ++e)
        for (int m = 0; m < QrMaskCount; ++m)
            if (QrFormatBits(e, m) == bits) {
                eccIndicator = e;
                mask = m;
                return true;
            }
    return false;
}

namespace {
// The symbol's error correction indicator and its data modules unmasked, from a QR Code matrix;
// false when it is none.
bool Unmasked(const std::vector<uint8_t>& dark, int32_t side, int& ecc,
              std::vector<uint8_t>& function, std::vector<uint8_t>& unmasked) {
    const int version = QrVersionOfSide(side);
    int current = 0;
    if (version == 0 || dark.size() != size_t(side) * size_t(side) ||
        !DecodeQrFormat(ReadQrFormat(dark.data(), side), ecc, current))
        return false;
    function = QrFunctionModules(version);
    unmasked = dark;
    ApplyMask(unmasked.data(), function.data(), side, current);
    return true;
}
} // namespace

bool SetQrMask(std::vector<uint8_t>& dark, int32_t side, int mask) {
    int ecc = 0;
    std::vector<uint8_t> function, unmasked;
    if (mask < 0 || mask >= QrMaskCount || !Unmasked(dark, side, ecc, function, unmasked))
        return false;
    ApplyMask(unmasked.data(), function.data(), side, mask);
    WriteQrFormat(unmasked.data(), side, QrFormatBits(ecc, mask));
    dark.swap(unmasked);
    return true;
}

int ChooseQrMask(std::vector<uint8_t>& dark, int32_t side) {
    int ecc = 0;
    std::vector<uint8_t> function, unmasked;
    if (!Unmasked(dark, side, ecc, function, unmasked))
        return -1;
    std::vector<uint8_t> candidate(dark.size());
    int best = -1;
    int32_t bestPoints = 0;
    for (int mask = 0; mask < QrMaskCount; ++mask) {
        candidate = unmasked;
        ApplyMask(candidate.data(), function.data(), side, mask);
        WriteQrFormat(candidate.data(), side, QrFormatBits(ecc, mask));
        const int32_t points = QrPenalty(candidate.data(), side).Total();
        // the lowest mask number among equals
        if (best < 0 || points < bestPoints) {
            best = mask;
            bestPoints = points;
            dark.swap(candidate);
        }
    }
    return best;
}
