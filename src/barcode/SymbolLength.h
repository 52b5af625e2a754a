#pragma once

#include "barcode/BarcodeTypes.h"
#include <QString>

#include <cstdint>

// How a symbol's length treats the data it is given. The fixed-length symbologies put zeros in
// front of short data and leave out what is too long; where the data carries a check digit, the
// symbol replaces it by the one it computes. Drawing never complains about any of this; this
// report is for checking data before it is printed.
struct TLengthReport {
    const char* Takes = nullptr; // the lengths the type takes ("12 or 13"); nullptr: any length
    bool Fits = true;            // the data has one of those lengths
    int32_t Padded = 0;          // zeros the symbol puts in front
    int32_t Cut = 0;             // characters the symbol leaves out at the end
    QChar CarriedCheck;          // the check digit the data carries, when it carries one
    QChar ComputedCheck;         // the check digit the symbol prints in its place
};

// kept is the data after normalisation has dropped what the type cannot carry, before the cut
// to the maximum length (TNormalizeReport::Kept). Empty data reports nothing.
TLengthReport SymbolLengthReport(TBarcodeType type, const QString& kept);
