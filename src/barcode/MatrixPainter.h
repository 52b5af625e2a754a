#pragma once

#include "barcode/MatrixGeometry.h"
#include "barcode/MatrixText.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QPaintDevice;

// Painting a two-dimensional symbol with a QPainter in whole device pixels.

// How the dark modules go to the device: one rectangle per run of dark modules in a row, or one
// 1-bit picture of them all (MatrixPicture.h); both cover the same device pixels.
enum class TModulePaint { Rectangles, Picture };

// The symbol in g: a white box (unless transparent), the dark modules as one fill, and the
// lines of text (laid out in font for g's device) each centred in the band, one under the
// other. The painter's state is restored afterwards.
void DrawMatrixBarcode(QPainter& painter, const TModuleMatrix& matrix, const TMatrixGeometry& g,
                       const TMatrixText& text, const QFont& font, bool transparent,
                       TModulePaint modules = TModulePaint::Rectangles);

// What the design surface shows for data that draws no symbol: the box hatched, framed, and the
// reason written across it in a small font.
void DrawMatrixRefusal(QPainter& painter, const QRect& box, const QString& reason);
