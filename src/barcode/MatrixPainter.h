#pragma once

#include "barcode/MatrixGeometry.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QPaintDevice;

// Painting a two-dimensional symbol with a QPainter in whole device pixels.

// Depth of the interpretation band in device pixels: the font's line height, 0 when the line is
// off.
int32_t MatrixBandDepth(const QFont& font, const QPaintDevice* device, bool interpret);

// The symbol in g: a white box (unless transparent), the dark modules as one fill, and when the
// band is deeper than 0 the interpretation line centred in it, in font, elided to the symbol's
// width. The painter's state is restored afterwards.
void DrawMatrixBarcode(QPainter& painter, int type, const TModuleMatrix& matrix,
                       const TMatrixGeometry& g, const QString& data, const QFont& font,
                       bool transparent);

// What the design surface shows for data that draws no symbol: the box hatched, framed, and the
// reason written across it in a small font.
void DrawMatrixRefusal(QPainter& painter, const QRect& box, const QString& reason);
