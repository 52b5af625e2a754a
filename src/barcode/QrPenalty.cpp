#include "barcode/QrPenalty.h"

#include <bit>
#include <cstdlib>

namespace {

// ISO/IEC 18004 7.8.3.1, table 11
constexpr int32_t N1 = 3, N2 = 3, N3 = 40, N4 = 10;
constexpr int32_t MaxSide = 177;
// Lines are scored as bits: module k at bit Pad + k, so that the four light modules of the
// quiet zone before the edge are bits too.
constexpr int32_t Pad = 4;
// Set bits by halves, inline: without a popcount instruction in the baseline target,
// std::popcount is a library call.
constexpr int32_t BitCount(uint64_t v) {
    v -= (v >> 1) & 0x5555555555555555ULL;
    v = (v & 0x3333333333333333ULL) + ((v >> 2) & 0x3333333333333333ULL);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return int32_t((v * 0x0101010101010101ULL) >> 56);
}
static_assert(BitCount(0) == 0 && BitCount(~0ULL) == 64 && BitCount(0x8000000000000101ULL) == 3);

// the bits a line needs: Pad, its modules and the 10 bits a pattern looks past them
constexpr int32_t WordsFor(int32_t side) {
    return (Pad + side + 10 + 63) / 64;
}

static_assert(WordsFor(MaxSide) == 3, "the largest symbol scores in three words");

// A row or column of modules as Words 64-bit words, light 0; a symbol of up to 50 modules
// scores in single words.
template <int Words> struct TLine {
    uint64_t w[Words] = {};

    void Set(int32_t bit, uint64_t v) { w[bit >> 6] |= v << (bit & 63); }
    // bit k of the result is bit k + n of this line
    TLine<Words> Down(int n) const {
        TLine<Words> r;
        for (int i = 0; i < Words; ++i) {
            uint64_t v = w[i] >> n;
            if (i + 1 < Words)
                v |= w[i + 1] << (64 - n);
            r.w[i] = v;
        }
        return r;
    }
    // bit k of the result is bit k - n of this line
    TLine<Words> Up(int n) const {
        TLine<Words> r;
        for (int i = 0; i < Words; ++i) {
            uint64_t v = w[i] << n;
            if (i > 0)
                v |= w[i - 1] >> (64 - n);
            r.w[i] = v;
        }
        return r;
    }
    TLine<Words> operator~() const {
        TLine<Words> r;
        for (int i = 0; i < Words; ++i)
            r.w[i] = ~w[i];
        return r;
    }
    TLine<Words> operator&(const TLine<Words>& o) const {
        TLine<Words> r;
        for (int i = 0; i < Words; ++i)
            r.w[i] = w[i] & o.w[i];
        return r;
    }
    TLine<Words> operator|(const TLine<Words>& o) const {
        TLine<Words> r;
        for (int i = 0; i < Words; ++i)
            r.w[i] = w[i] | o.w[i];
        return r;
    }
    TLine<Words> operator^(const TLine<Words>& o) const {
        TLine<Words> r;
        for (int i = 0; i < Words; ++i)
            r.w[i] = w[i] ^ o.w[i];
        return r;
    }
    int32_t Count() const {
        int32_t n = 0;
        for (uint64_t v : w)
            n += BitCount(v);
        return n;
    }
};

// Bits Pad .. Pad + count - 1.
template <int Words> TLine<Words> Span(int32_t count) {
    TLine<Words> r;
    for (int32_t k = 0; k < count; ++k)
        r.Set(Pad + k, 1);
    return r;
}

// Rule 1: each run of five or more is N1 plus one point for each module past five.
template <int Words>
int32_t RunPoints(const TLine<Words>& line, const TLine<Words>& inner, int32_t side) {
    // bit k set where module k - Pad differs from the next one
    const TLine<Words> changes = (line ^ line.Down(1)) & inner;
    int32_t points = 0;
    int32_t start = Pad;
    for (int i = 0; i < Words; ++i)
        for (uint64_t v = changes.w[i]; v; v &= v - 1) {
            const int32_t end = i * 64 + std::countr_zero(v) + 1;
            if (end - start >= 5)
                points += N1 + (end - start - 5);
            start = end;
        }
    if (Pad + side - start >= 5)
        points += N1 + (Pad + side - start - 5);
    return points;
}

// Rule 3: 1011101 with four light modules before or after it.
template <int Words> int32_t FinderPoints(const TLine<Words>& dark) {
    const TLine<Words> light = ~dark; // the padding is light, beyond it too
    const TLine<Words> starts = dark & light.Down(1) & dark.Down(2) & dark.Down(3) & dark.Down(4) &
                                light.Down(5) & dark.Down(6);
    const TLine<Words> before = light.Up(1) & light.Up(2) & light.Up(3) & light.Up(4);
    const TLine<Words> after = light.Down(7) & light.Down(8) & light.Down(9) & light.Down(10);
    return (starts & (before | after)).Count() * N3;
}

template <int Words> TQrPenalty Score(const uint8_t* dark, int32_t side) {
    TQrPenalty p;
    TLine<Words> rows[MaxSide], columns[MaxSide];
    for (int32_t r = 0; r < side; ++r) {
        const uint8_t* row = dark + size_t(r) * size_t(side);
        for (int32_t c = 0; c < side; ++c) {
            const uint64_t v = row[c] != 0;
            rows[r].Set(Pad + c, v);
            columns[c].Set(Pad + r, v);
        }
    }
    // the changes between modules k and k + 1 that lie in the symbol
    const TLine<Words> inner = Span<Words>(side - 1);
    int32_t darkCount = 0;
    for (int32_t k = 0; k < side; ++k) {
        p.runs += RunPoints(rows[k], inner, side) + RunPoints(columns[k], inner, side);
        p.finders += FinderPoints(rows[k]) + FinderPoints(columns[k]);
        darkCount += rows[k].Count();
    }
    // rule 2: module k equal to module k + 1 and to both below them
    for (int32_t r = 0; r + 1 < side; ++r) {
        const TLine<Words> same = ~(rows[r] ^ rows[r + 1]);
        const TLine<Words> across = ~(rows[r] ^ rows[r].Down(1));
        p.blocks += (same & same.Down(1) & across & inner).Count() * N2;
    }
    // rule 4: each whole 5 % step away from half dark
    const int64_t total = int64_t(side) * side;
    p.balance = int32_t(std::llabs(int64_t(darkCount) * 20 - total * 10) / total) * N4;
    return p;
}

} // namespace

TQrPenalty QrPenalty(const uint8_t* dark, int32_t side) {
    if (side <= 0 || side > MaxSide)
        return {};
    switch (WordsFor(side)) {
    case 1:
        return Score<1>(dark, side);
    case 2:
        return Score<2>(dark, side);
    default:
        return Score<3>(dark, side);
    }
}
