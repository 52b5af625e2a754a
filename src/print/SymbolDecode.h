#pragma once

#include "barcode/BarCanvas.h"
#include "barcode/BarcodeTypes.h"

#include <QString>

#include <cstdint>
#include <functional>

// Reading a symbol back with an independent decoder (zxing-cpp), as a scanner would: the last
// word on whether our encoders drew what they meant to.

// Draws a symbol's bars from (x, y), rotation 0, bars barLength long: by default the engine's
// own drawing of the type. Tests hand in a faulty one to see the reading catch it.
using TBarsDrawer = std::function<void(TBarCanvas& canvas, TBarcodeType type, int32_t x, int32_t y,
                                       int32_t m, int32_t barLength, const QString& data)>;

// Whether the decoder reads this symbol: it does not read POSTNET or the add-ons on their own,
// nor Interleaved 2 of 5 of fewer than six digits.
bool CanReadBack(TBarcodeType type, const QString& data);

// What the decoder reports for normalised data: the characters the symbol carries, with the
// padding and the check characters that it prints.
QString ExpectedReading(TBarcodeType type, const QString& data);

struct TReading {
    bool Read = false; // something was read
    QString Text;
};

// Draws the symbol at m pixels per module and reads it. Empty data reads nothing.
TReading ReadBackSymbol(TBarcodeType type, const QString& data, int32_t m,
                        const TBarsDrawer& draw = {});
