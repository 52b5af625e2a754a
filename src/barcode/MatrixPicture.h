#pragma once

#include "barcode/MatrixGeometry.h"

#include <QImage>
#include <QRect>

class QPainter;

// A two-dimensional symbol's modules as one 1-bit picture, for devices where a picture costs far
// less than one rectangle per run of dark modules (a PDF page). Drawn at a whole number of device
// pixels per sample, it covers exactly the pixels the rectangles of DrawMatrixModules cover.

// One sample per module (per row for PDF417, whose rows are rowModules high), turned by the
// rotation so that it lies on the device as the symbol does: index 0 dark, index 1 light. Light
// is white, or fully transparent when transparent is set.
QImage MatrixModulePicture(const TModuleMatrix& matrix, int rotation, bool transparent);

// Whether the picture at m device pixels per module keeps its modules sharp wherever the page is
// rasterised at the device's resolution: poppler and cairo smooth any image enlarged less than
// four times in both directions (Ghostscript never smooths without being asked to).
bool PictureStaysSharp(const TModuleMatrix& matrix, int32_t m);

// Where the picture of g's symbol lands on the device: its modules, without the quiet zones.
QRect MatrixModuleRect(const TModuleMatrix& matrix, const TMatrixGeometry& g);

// The dark modules drawn as the picture: a whole number of pixels a sample (less a 64th of a
// pixel at the far edges), never smoothed and never compressed with loss. Light modules paint
// white unless transparent.
void DrawMatrixModulePicture(QPainter& painter, const TModuleMatrix& matrix,
                             const TMatrixGeometry& g, bool transparent);
