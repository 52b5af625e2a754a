#pragma once

#include "barcode/MatrixGeometry.h"
#include "barcode/MatrixText.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QPaintDevice;

// Painting a two-dimensional symbol with a QPainter in whole device pixels.

// The symbol in g: a white box (unless transparent), the dark modules as one fill, and the
// lines of text (laid out in font for g's device) each centred in the band, one under the
// other. The painter's state is restored afterwards.
void DrawMatrixBarcode(QPainter& painter, const TModuleMatrix& matrix, const TMatrixGeometry& g,
                       const TMatrixText& text, const QFont& font, bool transparent);

// What the design surface shows for data that draws no symbol: the box hatched, framed, and the
// reason written across it in a small font.
void DrawMatrixRefusal(QPainter& painter, const QRect& box, const QString& reason);
