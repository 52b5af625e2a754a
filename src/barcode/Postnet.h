#pragma once

#include "barcode/BarCanvas.h"

#include <QString>

#include <cstdint>

// POSTNET: full and short bars, one module wide with one-module gaps.

// 0 when the digit sum is a multiple of 10, else 10 - (sum mod 10).
QChar PostnetCheckDigit(const QString& digits);

// Where a short bar starts across the symbol, counted from the bars' leading edge, and how long it
// is, for a full bar length b: the lower 40 per cent.
int32_t PostnetShortBarOffset(int32_t barLength);
int32_t PostnetShortBarLength(int32_t barLength);

int32_t PostnetModuleCount(const QString& data);

void EncodePostnet(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                   int32_t m, int32_t barLength);
