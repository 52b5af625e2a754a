#pragma once

#include "barcode/BarCanvas.h"
#include "barcode/BarcodeTypes.h"

#include <QRect>
#include <QString>

#include <cstdint>

// The barcode engine's core: cleaning the data, the length of a symbol, its geometry and the
// dispatch to the symbology encoders. Nothing here paints; see BarcodePainter.h for that.

// Modules of blank space at each end of every symbol.
inline constexpr int32_t QuietZoneModules = 10;

// The data as the encoders expect it: characters the type cannot carry are dropped (lower-case
// letters become capitals for Code 39 first) and the rest is cut to the type's maximum length.
// The two-dimensional types and unknown codes return the text unchanged.
QString NormalizeBarcodeData(TBarcodeType type, const QString& text);

// What normalisation left out of a text, for those who check data before it is printed.
struct TNormalizeReport {
    QString Dropped;   // the characters the type cannot carry, in order of first appearance
    QString Kept;      // the characters carried, before the cut to the maximum length
    qsizetype Cut = 0; // characters cut from the end at the type's maximum length
};
// The same result as above, with the report of what was dropped and cut.
QString NormalizeBarcodeData(TBarcodeType type, const QString& text, TNormalizeReport& report);

// Length of the symbol along its running axis in device pixels, quiet zones included: 20 m for
// empty data, 0 for codes above 17 (the two-dimensional types have their own geometry).
int32_t SymbolExtent(TBarcodeType type, const QString& data, int32_t m);

// The weighted mod-10 check digit of UPC, EAN and the shipping container codes: weights 3, 1,
// 3, ... from the rightmost digit.
QChar Mod10CheckDigit(const QString& digits);

// Puts '0' in front until the text has n characters; a longer text is returned unchanged.
QString LeftPad(const QString& text, int n);

// Depth of the interpretation band in device pixels (0 when the line is off or for POSTNET).
int32_t TextBandDepth(TBarcodeType type, int32_t m, bool interpret);

// Where a symbol drawn at (x, y) lies and where its bars start.
struct TSymbolGeometry {
    QRect box;        // the whole symbol with quiet zones and text band
    int32_t barX = 0; // the first module's corner, past the quiet zone and a leading band
    int32_t barY = 0;
    int32_t barLength = 0; // cross size less the text band
};

TSymbolGeometry SymbolGeometry(TBarcodeType type, int32_t x, int32_t y, int32_t m, int32_t cross,
                               const QString& data, bool interpret, int rotation);

// Runs the type's encoder from (x, y); nothing for codes above 17 or empty data.
void EncodeBarcode(TBarCanvas& canvas, TBarcodeType type, int32_t x, int32_t y, int rotation,
                   const QString& data, int32_t m, int32_t barLength);

// The bars of a whole symbol, as DrawBarcode places them (no background, no text).
void DrawBarcodeBars(TBarCanvas& canvas, TBarcodeType type, int32_t x, int32_t y, int32_t m,
                     int32_t cross, const QString& data, bool interpret, int rotation);
