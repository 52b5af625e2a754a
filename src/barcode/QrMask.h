#pragma once

#include "barcode/QrPenalty.h"

#include <cstdint>
#include <vector>

// QR Code masking (ISO/IEC 18004 7.8): which modules a mask pattern inverts, the format
// information that names the mask and the choice of the mask with the lowest penalty. A symbol is a
// square of side modules, row by row, 1 for dark, without quiet zone.

inline constexpr int QrMaskCount = 8;

// Whether mask pattern 0..7 inverts the module at row i, column j (ISO/IEC 18004 table 10).
constexpr bool QrMaskInverts(int mask, int32_t i, int32_t j) {
    switch (mask) {
    case 0:
        return (i + j) % 2 == 0;
    case 1:
        return i % 2 == 0;
    case 2:
        return j % 3 == 0;
    case 3:
        return (i + j) % 3 == 0;
    case 4:
        return (i / 2 + j / 3) % 2 == 0;
    case 5:
        return (i * j) % 2 + (i * j) % 3 == 0;
    case 6:
        return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    case 7:
        return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
    default:
        return false;
    }
}

// The version (1..40) of a symbol side modules wide, 0 for any other side.
int QrVersionOfSide(int32_t side);

// For each module of a symbol of the version, 1 where it belongs to a function pattern, the
// format or the version information (which masks leave alone), 0 where it carries data.
std::vector<uint8_t> QrFunctionModules(int version);

// The 15 bits of format information for an error correction level's indicator (L 01, M 00,
// Q 11, H 10) and a mask: BCH(15,5) code, XORed with 101010000010010.
uint16_t QrFormatBits(int eccIndicator, int mask);

// Writes the format information in both of its places, and the dark module beside it.
void WriteQrFormat(uint8_t* dark, int32_t side, uint16_t bits);

// The format information around the top-left finder pattern.
uint16_t ReadQrFormat(const uint8_t* dark, int32_t side);

// Whether bits are a valid format information word; its level and mask then come out.
bool DecodeQrFormat(uint16_t bits, int& eccIndicator, int& mask);

// Re-masks a symbol with mask 0..7, rewriting its format information; false, and nothing
// changed, for a matrix that is no QR Code or whose format information is not valid.
bool SetQrMask(std::vector<uint8_t>& dark, int32_t side, int mask);

// Re-masks a symbol with the mask of the lowest penalty, rewriting its format information, and
// returns that mask; a matrix that is no QR Code or whose format information is not valid is
// left as it is (-1).
int ChooseQrMask(std::vector<uint8_t>& dark, int32_t side);
