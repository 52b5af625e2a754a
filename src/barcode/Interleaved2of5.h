#pragma once

#include "barcode/BarCanvas.h"

#include <QString>

#include <cstdint>

// Interleaved 2 of 5, plain and as SSC-14 with bearer bars.

// The fourteen digits of SSC-14: the data padded to 13 digits and its mod-10 check digit.
QString Ssc14ItfDigits(const QString& data);

int32_t Interleaved2of5ModuleCount(const QString& data);

void EncodeInterleaved2of5(TBarCanvas& canvas, int32_t x, int32_t y, int rotation,
                           const QString& data, int32_t m, int32_t barLength);
void EncodeSsc14Itf(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                    int32_t m, int32_t barLength);
