#pragma once

#include "barcode/BarcodeTypes.h"
#include <QPoint>
#include <QString>

#include <cstdint>
#include <vector>

// The human-readable line under or over a symbol: what it says, its font size and where each
// piece sits. Measuring and painting the text is BarcodePainter's part.

// Where a piece sits along the symbol, in rotation 0.
enum class TPieceAlong : uint8_t {
    Centre,       // centred on the box
    LeftEdge,     // at the box's leading edge
    RightEdge,    // ending at the box's far edge
    BeforeCentre, // ending 2 modules before the box's centre (UPC A's left digits)
    AfterCentre,  // starting 2 modules after the box's centre (UPC A's right digits)
};

// Where a piece sits across the symbol, in rotation 0.
enum class TPieceAcross : uint8_t { Top, Bottom };

struct TInterpretationPiece {
    QString text;
    TPieceAlong along;
    TPieceAcross across;
};

// The pieces of text a type shows for its normalised data; none for POSTNET, empty data or
// codes above 17.
std::vector<TInterpretationPiece> InterpretationPieces(TBarcodeType type, const QString& data);

// The text's font for a module width m: a cell height (the full line height) and a weight.
struct TInterpretationFont {
    int32_t cellHeight;
    int weight;
};
TInterpretationFont InterpretationFontFor(TBarcodeType type, int32_t m);

// A point in the rotation-0 frame of a box: a along the symbol from its leading end, c across
// from its top edge.
struct TBoxPoint {
    int32_t a = 0;
    int32_t c = 0;
};

// The top-left corner of a piece's text cell in the rotation-0 frame, for a box `along` long and
// `across` deep, a text `textWidth` wide and `cellHeight` high.
TBoxPoint PlacePiece(const TInterpretationPiece& piece, int32_t textWidth, int32_t cellHeight,
                     int32_t along, int32_t across, int32_t m);

// Where the rotation-0 point p of a box at (x, y) lands when the symbol is turned; the text is
// drawn from there with TextAngle.
QPoint MapBoxPoint(int rotation, TBoxPoint p, int32_t x, int32_t y, int32_t along, int32_t across);

// Clockwise angle in degrees (y pointing down) at which a rotation's text is drawn: 0, 90, 180
// or 270; text of rotation 1 reads downwards, of rotation 3 upwards.
int TextAngle(int rotation);
