#pragma once

#include <cstdint>

// The four penalty rules of QR Code masking (ISO/IEC 18004 7.8.3.1), by which the mask of a
// symbol is chosen. A symbol is a square of side modules (at most 177), row by row, 1 for dark,
// without quiet zone.

// The penalty points of a symbol under the four rules (N1 = 3, N2 = 3, N3 = 40, N4 = 10).
struct TQrPenalty {
    int32_t runs = 0;    // rule 1: five or more modules of one colour in a row or column
    int32_t blocks = 0;  // rule 2: 2 x 2 blocks of one colour
    int32_t finders = 0; // rule 3: 1:1:3:1:1 patterns beside four light modules
    int32_t balance = 0; // rule 4: the dark share away from 50 %
    int32_t Total() const { return runs + blocks + finders + balance; }
};

// Scores a symbol under the four rules. Beyond the symbol's edge lies the light quiet zone; a
// 1:1:3:1:1 pattern counts once, whether it has four light modules before it, after it or both.
TQrPenalty QrPenalty(const uint8_t* dark, int32_t side);
