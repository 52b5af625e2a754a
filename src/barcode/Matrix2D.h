#pragma once

#include "barcode/BarcodeTypes.h"
#include <QString>

#include <cstdint>
#include <vector>

// The two-dimensional symbols (QR Code, Data Matrix, GS1 DataMatrix, PDF417, Aztec Code): libzint
// turns the data into a module matrix, or says why it cannot; drawing is MatrixPainter's part.

// QR Code error correction levels, in the palette's order.
enum TQrEccLevel : uint8_t { qrEccL = 0, qrEccM = 1, qrEccQ = 2, qrEccH = 3 };
inline constexpr int QrEccLevelCount = 4;

// A control's choices for its symbol. Sizes of 0 leave the choice to the encoder; a larger size
// is a minimum: data that fits a smaller symbol is still drawn in this one.
struct TMatrixOptions {
    uint8_t qrEcc = qrEccM;
    uint8_t qrVersion = 0; // QR Code: 1..40
    uint8_t dmSize = 0;    // Data Matrix and GS1 DataMatrix: a square side, 10..144 modules
    bool operator==(const TMatrixOptions&) const = default;
};

// Why data draws no symbol.
enum class TMatrixRefusal : uint8_t { None, NoData, TooLong, Gs1Syntax, Gs1CheckDigit, Invalid };

// The symbol's modules without quiet zones, row by row from the top.
struct TModuleMatrix {
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t rowModules = 1;    // a row's height in modules (PDF417's rows are three high)
    int32_t quietModules = 0;  // the symbology's quiet zone on every side
    std::vector<uint8_t> dark; // rows x columns, 1 for a dark module

    bool Dark(int32_t row, int32_t column) const {
        return dark[size_t(row) * size_t(columns) + size_t(column)] != 0;
    }
    // The symbol's size in modules, quiet zones included.
    int32_t ModulesAcross() const { return columns + 2 * quietModules; }
    int32_t ModulesDown() const { return rows * rowModules + 2 * quietModules; }
};

struct TMatrixEncoding {
    TModuleMatrix matrix;
    TMatrixRefusal refusal = TMatrixRefusal::None;
    QString reason; // what the design surface shows when refused
    bool Valid() const { return refusal == TMatrixRefusal::None; }
};

// The texts of the refusals.
namespace MatrixText {
inline constexpr const char* NoData = "No data";
inline constexpr const char* TooLong = "Too much data for the largest symbol";
inline constexpr const char* Gs1Syntax = "Not valid GS1 data: %1";
inline constexpr const char* Gs1CheckDigit = "Wrong check digit in GS1 element (%1)";
inline constexpr const char* Invalid = "Cannot encode: %1";
} // namespace MatrixText

// Encodes data (UTF-8 text; for GS1 DataMatrix application identifiers in brackets,
// "[01]09501101530003[17]250101") as a symbol of a two-dimensional type. Text beyond ASCII goes
// out in UTF-8 under ECI 26, so that decoders read it back unchanged.
TMatrixEncoding EncodeMatrix(TBarcodeType type, const QString& data, const TMatrixOptions& options);

// The interpretation line of a two-dimensional symbol: its data on one line, GS1 identifiers in
// parentheses as printed under GS1 symbols, control characters as spaces.
QString MatrixInterpretationText(TBarcodeType type, const QString& data);

// Which options a type uses.
bool UsesQrEcc(TBarcodeType type);
// The minimum sizes a type offers, smallest first (QR versions or Data Matrix sides); none when
// the type has no size option.
std::vector<int> MatrixSizeChoices(TBarcodeType type);
// The palette text of a size: "Version 3 (29 x 29)", "24 x 24".
QString MatrixSizeText(TBarcodeType type, int size);
