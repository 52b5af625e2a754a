#pragma once

#include "barcode/BarCanvas.h"

#include <QString>

#include <array>
#include <cstdint>

// The barcode types: eighteen linear ones, then the two-dimensional ones that libzint encodes
// (Matrix2D.h). The code is what label files store (BCTYPE); the palette lists the types in an
// order of its own (ListPosition). A label file may name a code above 22, which the byte-wide
// enum keeps as it is, so every routine taking a type copes with one.
enum TBarcodeType : uint8_t {
    btCode128 = 0,
    btCode39 = 1,
    btCode39Extended = 2,
    btUpcA = 3,
    btInterleaved2of5 = 4,
    btCode93 = 5,
    btEan13 = 6,
    btEan8 = 7,
    btEan128 = 8,
    btPostnet = 9,
    btUpcE = 10,
    btUpcAddOn2 = 11,
    btUpcAddOn5 = 12,
    btSsc14 = 13,
    btSsc14Itf = 14,
    btSscc18 = 15,
    btCode39Mod43 = 16,
    btCode39Mod10 = 17,
    btQrCode = 18,
    btDataMatrix = 19,
    btGs1DataMatrix = 20,
    btPdf417 = 21,
    btAztec = 22,
};

inline constexpr int LinearBarcodeTypeCount = 18;
inline constexpr int BarcodeTypeCount = 23;

// Whether a number is the code of a barcode type.
inline bool IsBarcodeType(int type) {
    return type >= 0 && type < BarcodeTypeCount;
}

// The types drawn from bar patterns by our own encoders (codes 0..17).
inline bool IsLinearBarcodeType(TBarcodeType type) {
    return type < LinearBarcodeTypeCount;
}

// The two-dimensional types (codes 18..22), drawn from a module matrix.
inline bool IsMatrixBarcodeType(TBarcodeType type) {
    return type >= LinearBarcodeTypeCount && type < BarcodeTypeCount;
}

// Which characters normalisation keeps for a type.
enum class TKeptCharacters : uint8_t { Code39, Ascii, Digits, Any };

// Where the interpretation line's band lies in rotation 0.
enum class TTextSide : uint8_t { None, Below, Above };

// Draws a symbol's modules from (x, y), already past the quiet zone and the text band.
using TBarcodeEncoder = void (*)(TBarCanvas& canvas, int32_t x, int32_t y, int rotation,
                                 const QString& data, int32_t m, int32_t barLength);

// Number of modules an encoder draws for non-empty normalised data, quiet zones excluded.
using TModuleCounter = int32_t (*)(const QString& data);

struct TBarcodeTypeInfo {
    TBarcodeType type;
    const char* name;     // the type's identifier, e.g. "btCode128"
    int listPosition;     // place in the palette's list
    const char* listText; // the palette's text
    TKeptCharacters kept;
    int maxLength; // normalised data is cut to this many characters; 0 for no limit
    TTextSide textSide;
    int bandModules;                  // depth of the text band in modules when the line is on
    int standardMils;                 // module width of "Auto Size", in thousandths of an inch
    int fixedModules = 0;             // modules of a fixed-length symbol, quiet zones excluded
    TModuleCounter modules = nullptr; // or the count for data of varying length
    TBarcodeEncoder encode = nullptr; // none for the two-dimensional types
};

// The row of a type code 0..22; nullptr for any other code.
const TBarcodeTypeInfo* BarcodeTypeInfo(TBarcodeType type);

// The palette's list: entry i is the type shown at position i.
const std::array<TBarcodeType, BarcodeTypeCount>& BarcodeListOrder();
// The palette text of a type ("Code 128", ...); empty for codes above 22.
QString BarcodeListText(TBarcodeType type);
