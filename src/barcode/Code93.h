#pragma once

#include "barcode/BarCanvas.h"

#include <QString>

#include <cstdint>
#include <vector>

// Code 93, always in its full ASCII form, with the C and K check characters.

// The symbol values (0..46) that the data expands to, checks excluded; stops at the first code
// above 127.
std::vector<uint8_t> Code93Symbols(const QString& data);
int32_t Code93SymbolCount(const QString& data);

// Check characters over the data's symbol values: C with weights 1..20, K with weights 1..15 over
// the data followed by C; both restart at 1 past their top weight.
int Code93CheckC(const QString& data);
int Code93CheckK(const QString& data);

// The 9-module pattern of a symbol value 0..46.
uint16_t Code93Pattern(int value);

void EncodeCode93(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength);
